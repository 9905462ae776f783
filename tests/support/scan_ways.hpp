#pragma once
// Tests that run once for every way of splitting lines. The suite says which ways this processor
// offers (a line on the output and a property in the XML report); a way it does not offer is
// skipped with a message naming it.
#include <gtest/gtest.h>

#include <iostream>
#include <ostream>
#include <string>

#include "records/fields.hpp"

namespace tab::test {

inline constexpr ScanWay kAllScanWays[] = {ScanWay::kPortable, ScanWay::kAvx512};

inline const char* ScanWayName(ScanWay way) {
  return way == ScanWay::kAvx512 ? "Avx512" : "Portable";
}

class ScanWayTest : public testing::TestWithParam<ScanWay> {
 public:
  static void SetUpTestSuite() {
    std::string offered;
    for (const ScanWay way : kAllScanWays) {
      if (!UseScanWay(way)) continue;
      if (!offered.empty()) offered += ", ";
      offered += ScanWayName(way);
    }
    UseBestScanWay();
    std::cout << "Splitting ways this processor offers: " << offered << std::endl;
    RecordProperty("scan_ways", offered);
  }

 protected:
  void SetUp() override {
    if (!UseScanWay(GetParam())) {
      GTEST_SKIP() << "this processor does not offer the " << ScanWayName(GetParam()) << " way";
    }
  }
  void TearDown() override { UseBestScanWay(); }
};

inline const auto kScanWays = testing::ValuesIn(kAllScanWays);

inline std::string ScanWayTestName(const testing::TestParamInfo<ScanWay>& way) {
  return ScanWayName(way.param);
}

}  // namespace tab::test

namespace tab {
// Test listings show the way by name.
inline void PrintTo(ScanWay way, std::ostream* os) {
  *os << test::ScanWayName(way);
}
}  // namespace tab
