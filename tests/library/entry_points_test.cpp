// The shared library through its exported entry points only, as a host that loaded it sees it.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "kestrow/host/forms/form.h"
#include "kestrow/host/forms/form_page_frame.h"
#include "kestrow/host/registry/component_registry.h"
#include "kestrow/library/entry_points.h"
#include "kestrow/library/identifiers.h"

namespace kestrow::library {
namespace {

namespace result = host::result;

const KestrowGuid kText = ToKestrowGuid(kTextClassId);
const KestrowGuid kFormat = ToKestrowGuid(kFormatClassId);
const KestrowGuid kFactoryInterface = ToKestrowGuid(host::kClassFactoryInterfaceId);

bool Same(const KestrowGuid& a, const KestrowGuid& b) { return FromKestrowGuid(a) == FromKestrowGuid(b); }

// Each test starts and ends with the library unregistered.
class Registration : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(DllUnregisterServer(), result::kOk); }
  void TearDown() override { DllUnregisterServer(); }
};

TEST_F(Registration, RegisteredClassesAreFoundByIdAndProgId) {
  KestrowClassInfo info;
  EXPECT_EQ(KestrowFindClass(&kText, &info), result::kFalse);
  ASSERT_EQ(DllRegisterServer(), result::kOk);

  ASSERT_EQ(KestrowFindClass(&kText, &info), result::kOk);
  EXPECT_TRUE(Same(info.class_id, kText));
  EXPECT_STREQ(info.prog_id, "Kestrow.Text");
  EXPECT_STREQ(info.class_name, "Text");
  EXPECT_EQ(info.kind, 0);

  ASSERT_EQ(KestrowFindClass(&kFormat, &info), result::kOk);
  EXPECT_STREQ(info.prog_id, "Kestrow.Format");
  EXPECT_EQ(info.kind, 1);

  KestrowGuid found{};
  ASSERT_EQ(KestrowClassFromProgId("kestrow.text", &found), result::kOk);  // ProgIDs ignore case
  EXPECT_TRUE(Same(found, kText));
  ASSERT_EQ(KestrowClassFromProgId("Kestrow.Format", &found), result::kOk);
  EXPECT_TRUE(Same(found, kFormat));
}

TEST_F(Registration, RegisteringTwiceKeepsOneEntryAndUnregisterRemovesIt) {
  ASSERT_EQ(DllRegisterServer(), result::kOk);
  ASSERT_EQ(DllRegisterServer(), result::kOk);
  ASSERT_EQ(DllUnregisterServer(), result::kOk);
  KestrowClassInfo info;
  EXPECT_EQ(KestrowFindClass(&kText, &info), result::kFalse);
  EXPECT_EQ(KestrowFindClass(&kFormat, &info), result::kFalse);
  KestrowGuid found = kText;
  EXPECT_EQ(KestrowClassFromProgId("Kestrow.Text", &found), result::kFalse);
  EXPECT_TRUE(Same(found, KestrowGuid{}));
  EXPECT_EQ(DllUnregisterServer(), result::kOk);  // already gone: no failure
  EXPECT_EQ(KestrowFindClass(nullptr, &info), result::kPointer);
  EXPECT_EQ(KestrowClassFromProgId("Kestrow.Text", nullptr), result::kPointer);
}

TEST(ClassObject, UnknownClassIsNotAvailableAndNullsTheOutput) {
  const KestrowGuid unknown = ToKestrowGuid(host::MakeGuid("{00000000-0000-0000-0000-000000000001}"));
  void* out = &out;
  EXPECT_EQ(DllGetClassObject(&unknown, &kFactoryInterface, &out), result::kClassNotAvailable);
  EXPECT_EQ(out, nullptr);
  // An interface id is no class id.
  const KestrowGuid interfaceId = ToKestrowGuid(kTextInterfaceId);
  out = &out;
  EXPECT_EQ(DllGetClassObject(&interfaceId, &kFactoryInterface, &out), result::kClassNotAvailable);
  EXPECT_EQ(out, nullptr);
}

TEST(ClassObject, NullPointersAreRefused) {
  void* out = &out;
  EXPECT_EQ(DllGetClassObject(&kText, &kFactoryInterface, nullptr), result::kPointer);
  EXPECT_EQ(DllGetClassObject(nullptr, &kFactoryInterface, &out), result::kPointer);
  EXPECT_EQ(out, nullptr);
  out = &out;
  EXPECT_EQ(DllGetClassObject(&kText, nullptr, &out), result::kPointer);
  EXPECT_EQ(out, nullptr);
}

#ifdef KESTROW_LIBRARY_HAS_CONTROL

// A Text made by the library's class object, on the tests' own form.
class Lifetime : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(DllCanUnloadNow(), result::kOk); }

  host::ClassFactory* TakeFactory() {
    void* out = nullptr;
    EXPECT_EQ(DllGetClassObject(&kText, &kFactoryInterface, &out), result::kOk);
    return static_cast<host::ClassFactory*>(out);
  }
};

TEST_F(Lifetime, OtherInterfacesAreRefused) {
  const KestrowGuid other = ToKestrowGuid(kTextInterfaceId);
  void* out = &out;
  EXPECT_EQ(DllGetClassObject(&kText, &other, &out), result::kNoInterface);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(DllCanUnloadNow(), result::kOk);  // nothing handed out
}

TEST_F(Lifetime, AHeldOrLockedClassObjectKeepsTheLibrary) {
  host::ClassFactory* factory = TakeFactory();
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(DllCanUnloadNow(), result::kFalse);
  factory->LockServer(true);
  EXPECT_EQ(factory->Release(), 0u);
  EXPECT_EQ(DllCanUnloadNow(), result::kFalse);
  factory->LockServer(false);
  EXPECT_EQ(DllCanUnloadNow(), result::kOk);
}

TEST_F(Lifetime, ALiveTextKeepsTheLibrary) {
  host::ClassFactory* factory = TakeFactory();
  ASSERT_NE(factory, nullptr);
  {
    host::Form form;
    form.AddControl(u"Text1", [&](host::ControlSite& site, host::EditBox& box) {
      std::unique_ptr<host::Component> text;
      EXPECT_EQ(factory->CreateInstance(site, box, text), result::kOk);
      return text;
    });
    factory->Release();
    EXPECT_EQ(DllCanUnloadNow(), result::kFalse);
  }
  EXPECT_EQ(DllCanUnloadNow(), result::kOk);
}

TEST_F(Lifetime, ThePageClassMakesTheFormatPageAndALivePageKeepsTheLibrary) {
  void* out = nullptr;
  ASSERT_EQ(DllGetClassObject(&kFormat, &kFactoryInterface, &out), result::kOk);
  auto* factory = static_cast<host::ClassFactory*>(out);
  {
    host::Form form;
    host::FormPageFrame frame(form, [&](host::PageFrame& page_frame) {
      std::unique_ptr<host::PropertyPage> page;
      EXPECT_EQ(factory->CreatePage(page_frame, page), result::kOk);
      return page;
    });
    EXPECT_EQ(frame.Page().Caption(), u"Format");
    EXPECT_EQ(frame.Page().Controls().size(), 14u);
    ASSERT_NE(frame.Find("cmbDataType"), nullptr);
    EXPECT_EQ(std::get<host::DropDownList*>(frame.Find("cmbDataType")->control)->ListCount(), 5);
    // A control class makes no page.
    host::ClassFactory* textFactory = TakeFactory();
    std::unique_ptr<host::PropertyPage> noPage;
    EXPECT_EQ(textFactory->CreatePage(frame, noPage), result::kClassNotAvailable);
    EXPECT_EQ(noPage, nullptr);
    textFactory->Release();
    factory->Release();
    EXPECT_EQ(DllCanUnloadNow(), result::kFalse);
  }
  EXPECT_EQ(DllCanUnloadNow(), result::kOk);
}

#else

TEST(Lifetime, NeedsTheControlLibrary) { GTEST_SKIP() << "built without kestrow_control"; }

#endif

}  // namespace
}  // namespace kestrow::library
