#pragma once
// Wine for one test: a fresh prefix of its own under the build folder, made without the
// Mono and Gecko installers' prompts, the game's fonts mapped to the same free fonts as
// on Linux. Windows programs started from here run in that prefix.

#include "tests/e2e/x_display.h"

#include <optional>
#include <string>
#include <vector>

namespace wine {

// Whether Wine is installed; the reason to skip when it is not.
std::optional<std::string> Missing();

class Prefix {
public:
    // Removes whatever `directory` held and makes a new prefix there.
    explicit Prefix(const std::string& directory);
    // Ends whatever still runs in the prefix.
    ~Prefix();
    Prefix(const Prefix&) = delete;
    Prefix& operator=(const Prefix&) = delete;

    bool Ready() const { return ready; }
    // What went wrong while making it.
    const std::string& Log() const { return log; }

    // A Windows program started under Wine in `workingDirectory`.
    e2e::Process Start(const std::string& program, const std::string& workingDirectory,
                       const std::vector<std::string>& arguments = {}) const;
    // Runs a Windows program to its end; its exit code, or nothing after `limit`.
    std::optional<int> Run(const std::string& program, const std::string& workingDirectory,
                           const std::vector<std::string>& arguments, e2e::Seconds limit) const;
    // Waits until every process of the prefix has ended and the server with them.
    bool WaitUntilIdle(e2e::Seconds limit) const;

private:
    std::string wine;
    std::string directory;
    bool ready = false;
    std::string log;
};

}  // namespace wine
