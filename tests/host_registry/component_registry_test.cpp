// Class identifiers, class factories and the host's registry of component classes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "kestrow/host/registry/component_registry.h"

namespace kestrow::host {
namespace {

constexpr Guid kSample = MakeGuid("{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}");
constexpr Guid kOther = MakeGuid("{11111111-2222-3333-4444-555555555555}");

class Dummy final : public Component {};

TEST(Guids, TextFormRoundTripsAndMalformedTextIsRefused) {
  EXPECT_EQ(kSample.data1, 0x0A1B2C3Du);
  EXPECT_EQ(kSample.data3, 0x6071u);
  EXPECT_EQ(kSample.data4[0], 0x82u);  // the fourth group opens the byte array
  EXPECT_EQ(kSample.data4[7], 0xF9u);
  EXPECT_EQ(ToString(kSample), "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}");
  EXPECT_EQ(ParseGuid("{0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9}"), kSample);
  for (const char* text : {"0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9", "{0A1B2C3D-4E5F-6071-82934-A4B5C6D7E8F}",
                           "{0A1B2C3D_4E5F-6071-8293-A4B5C6D7E8F9}", "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8FG}",
                           "{-A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}"}) {
    EXPECT_FALSE(ParseGuid(text)) << text;
  }
}

ClassEntry Entry(const Guid& id, std::string prog_id) {
  return {id, std::move(prog_id), "Sample", ClassKind::Control,
          std::make_shared<ClassFactory>([](ControlSite&, EditBox&) { return std::make_unique<Dummy>(); })};
}

TEST(Registry, FindsByIdAndByProgIdInAnyCaseAndReplacesOnReregistering) {
  ComponentRegistry registry;
  ASSERT_EQ(registry.Register(Entry(kSample, "Maker.Sample")), result::kOk);
  ASSERT_TRUE(registry.FindByProgId("MAKER.sample"));
  EXPECT_EQ(registry.FindByProgId("MAKER.sample")->class_id, kSample);
  EXPECT_FALSE(registry.Find(kOther));
  ASSERT_EQ(registry.Register(Entry(kSample, "Maker.Renamed")), result::kOk);
  EXPECT_EQ(registry.Size(), 1u);
  EXPECT_EQ(registry.Find(kSample)->prog_id, "Maker.Renamed");
  EXPECT_FALSE(registry.FindByProgId("Maker.Sample"));
}

TEST(Registry, RefusesATakenProgIdAndIncompleteEntries) {
  ComponentRegistry registry;
  ASSERT_EQ(registry.Register(Entry(kSample, "Maker.Sample")), result::kOk);
  EXPECT_EQ(registry.Register(Entry(kOther, "maker.SAMPLE")), result::kSelfRegClass);
  EXPECT_EQ(registry.Register(Entry(kOther, "")), result::kSelfRegClass);
  ClassEntry noFactory = Entry(kOther, "Maker.Other");
  noFactory.factory.reset();
  EXPECT_EQ(registry.Register(noFactory), result::kSelfRegClass);
  EXPECT_FALSE(registry.Find(kOther));

  EXPECT_TRUE(registry.Unregister(kSample));
  EXPECT_FALSE(registry.Unregister(kSample));
  EXPECT_EQ(registry.Register(Entry(kOther, "Maker.Sample")), result::kOk);  // free again
}

TEST(Factory, MakesNothingWithoutAnImplementationOrWhenTheMakerFails) {
  ClassFactory missing{ComponentMaker{}};
  ClassFactory failing([](ControlSite&, EditBox&) { return std::unique_ptr<Component>(); });
  Form form;
  form.AddControl(u"probe", [&](ControlSite& site, EditBox& box) {
    std::unique_ptr<Component> out = std::make_unique<Dummy>();
    EXPECT_EQ(missing.CreateInstance(site, box, out), result::kClassNotAvailable);
    EXPECT_EQ(out, nullptr);
    out = std::make_unique<Dummy>();
    EXPECT_EQ(failing.CreateInstance(site, box, out), result::kClassNotAvailable);
    EXPECT_EQ(out, nullptr);
    return std::make_unique<Dummy>();
  });
  EXPECT_FALSE(missing.CanCreate());
}

TEST(Factory, InUseWhileReferencedOrLockedAndSurplusReleasesAreIgnored) {
  ClassFactory factory{ComponentMaker{}};
  EXPECT_EQ(factory.AddRef(), 1u);
  EXPECT_EQ(factory.AddRef(), 2u);
  EXPECT_EQ(factory.Release(), 1u);
  EXPECT_TRUE(factory.InUse());
  EXPECT_EQ(factory.Release(), 0u);
  EXPECT_EQ(factory.Release(), 0u);
  EXPECT_FALSE(factory.InUse());

  factory.LockServer(false);  // not remembered as a debt
  factory.LockServer(true);
  EXPECT_TRUE(factory.InUse());
  factory.LockServer(false);
  EXPECT_FALSE(factory.InUse());
}

}  // namespace
}  // namespace kestrow::host
