#pragma once
// A large synthetic data base written for one benchmark run into a temporary folder, removed
// again at exit; the benchmarks that use it link the code of tabellario-largedb.
#include <cstdio>
#include <cstring>
#include <string>

#include "support/fixture.hpp"
#include "tools/largedb/large_db.hpp"

namespace tab::bench {

class LargeDataBase {
 public:
  explicit LargeDataBase(const largedb::Options& options = {})
      : options_(options), layout_(largedb::WriteLargeDataBase(root_.Path(), options_)) {}
  LargeDataBase(const LargeDataBase&) = delete;
  LargeDataBase& operator=(const LargeDataBase&) = delete;

  const largedb::Layout& Layout() const { return layout_; }
  const largedb::Options& Options() const { return options_; }
  // The temporary folder, with its separator: room for more files beside the data base.
  const std::string& Root() const { return root_.Path(); }
  std::string SchoolFolder() const { return layout_.dataBaseDirectory + layout_.bigSchool + "/"; }
  // Table `table` of the big school in `folder` ("SCHULE"), or of its big class for "KLASSE".
  std::string SchoolFile(const char* folder, int table) const {
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, "%02d.CSV", table);
    if (std::strcmp(folder, "KLASSE") == 0)
      return SchoolFolder() + "KLASSE/" + layout_.bigClass + suffix;
    return SchoolFolder() + folder + "/" + layout_.bigSchool + suffix;
  }

 private:
  test::TempDir root_;
  largedb::Options options_;
  largedb::Layout layout_;
};

}  // namespace tab::bench
