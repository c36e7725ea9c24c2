// Shared helpers for the property bag and form file tests.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "host_values/host_error_testing.h"
#include "kestrow/host/storage/form_file.h"
#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/objects.h"

namespace kestrow::host::test_support {

// Variants compared by content, objects included (operator== compares object identity).
inline bool SameValue(const Variant& a, const Variant& b) {
  if (a.Type() != VarType::Object || b.Type() != VarType::Object) return a == b;
  const HostObject* x = a.AsObject().get();
  const HostObject* y = b.AsObject().get();
  if (!x || !y) return x == y;
  if (const auto* f = dynamic_cast<const Font*>(x)) {
    const auto* g = dynamic_cast<const Font*>(y);
    return g && f->name == g->name && f->size == g->size && f->weight == g->weight && f->charset == g->charset &&
           f->bold == g->bold && f->italic == g->italic && f->underline == g->underline &&
           f->strikethrough == g->strikethrough;
  }
  const auto* p = dynamic_cast<const Picture*>(x);
  const auto* q = dynamic_cast<const Picture*>(y);
  return p && q && p->width == q->width && p->height == q->height && p->bits == q->bits;
}

// A reading error's description without the line and column it names after the source.
inline std::string Unplaced(const std::string& description) {
  const std::size_t line = description.find(": line ");
  const std::size_t after = line == std::string::npos ? line : description.find(": ", line + 2);
  if (after == std::string::npos) return description;
  return description.substr(0, line) + description.substr(after);
}

inline std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh directory per test, removed afterwards.
class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           ("kestrow-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(dir_, ignored);
  }
  std::filesystem::path dir_;
};

}  // namespace kestrow::host::test_support
