// Runs the file-system calls of a scope as the unprivileged user "nobody" (the tests run as
// root, which every permission lets through).
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

class AsNobody {
 public:
  AsNobody() : root_(geteuid() == 0) {
    if (root_) {
      EXPECT_EQ(seteuid(65534), 0);
    }
  }
  ~AsNobody() {
    if (root_) {
      EXPECT_EQ(seteuid(0), 0);
    }
  }
  AsNobody(const AsNobody&) = delete;
  AsNobody& operator=(const AsNobody&) = delete;

 private:
  bool root_;
};
