// Built into every test program: the program gets a settings folder of its own
// (XDG_CONFIG_HOME, and XDG_DATA_HOME for recorded matches) under the build tree before anything runs, and each test finds it
// empty, so that no test reads or writes the settings of the user who runs it, nor meets
// what another test saved. The folder's name stays the same for the whole process, since
// libraries read XDG_CONFIG_HOME once (fontconfig).

#include "support/scratch.h"

#include <gtest/gtest.h>

namespace {

class FreshConfigHome : public ::testing::EmptyTestEventListener {
public:
    FreshConfigHome() : folder(ScratchFolder()) { Point(); }

    void OnTestStart(const ::testing::TestInfo&) override
    {
        Point();
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
            std::filesystem::remove_all(entry.path(), ignored);
    }
    void OnTestProgramEnd(const ::testing::UnitTest&) override
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

private:
    // The settings and the recorded matches both go into the scratch folder.
    void Point() const
    {
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        setenv("XDG_DATA_HOME", folder.c_str(), 1);
    }

    const std::filesystem::path folder;
};

const bool installed = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshConfigHome);
    return true;
}();

}  // namespace
