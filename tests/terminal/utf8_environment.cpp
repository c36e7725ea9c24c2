// Cell widths come from the character type locale: the suite runs in a UTF-8 one, as a session does.
#include <gtest/gtest.h>

#include <clocale>

namespace {

class Utf8Environment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr); }
};

const ::testing::Environment* const kUtf8 = ::testing::AddGlobalTestEnvironment(new Utf8Environment);

}  // namespace
