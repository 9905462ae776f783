#pragma once
// Tests that run once for every way of splitting lines the processor offers; the ways it does
// not offer are skipped.
#include <gtest/gtest.h>

#include <string>

#include "records/fields.hpp"

namespace tab::test {

class ScanWayTest : public testing::TestWithParam<ScanWay> {
 protected:
  void SetUp() override {
    if (!UseScanWay(GetParam())) GTEST_SKIP() << "this processor does not offer that way";
  }
  void TearDown() override { UseBestScanWay(); }
};

inline const auto kScanWays = testing::Values(ScanWay::kPortable, ScanWay::kAvx2, ScanWay::kAvx512);

inline std::string ScanWayTestName(const testing::TestParamInfo<ScanWay>& way) {
  switch (way.param) {
    case ScanWay::kAvx512:
      return "Avx512";
    case ScanWay::kAvx2:
      return "Avx2";
    case ScanWay::kPortable:
      break;
  }
  return "Portable";
}

}  // namespace tab::test
