#pragma once
// The replay tool's core: runs a program on the headless host and follows a script
// (see script.h). Message boxes are printed as they appear. Returns the tool's exit
// status: 0 when the script ran to its end, 1 when an expect-pixel failed, 2 for a
// script that cannot be read or run.

#include "platform/host/headless/program.h"

#include <iosfwd>
#include <string>

namespace replay {

constexpr int kOk = 0;
constexpr int kExpectationFailed = 1;
constexpr int kScriptError = 2;

int Run(std::istream& script, const std::string& outDir, headless::EntryPoint entry, std::ostream& out,
        std::ostream& errors);
int RunFile(const std::string& scriptPath, const std::string& outDir, headless::EntryPoint entry);

}  // namespace replay
