// Cases about what an ordinary user may not do (write a read-only file, create
// in a folder without write permission), which root may. Their suite derives
// from Unprivileged<Fixture> and is named ...UnprivilegedTest: ctest gives such
// suites entries of their own, labelled "unprivileged", and where the tests
// run as root those start the program again as the user TABLOOM_TEST_USER
// names (scripts/test-user.sh creates it). Run as root all the same, a case
// skips and says why.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

template <class Fixture>
class Unprivileged : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        if (::geteuid() == 0)
            GTEST_SKIP() << "root may write any file: run through ctest with TABLOOM_TEST_USER naming an "
                            "unprivileged user (scripts/test.sh does), and this case runs as that user";
    }
};
