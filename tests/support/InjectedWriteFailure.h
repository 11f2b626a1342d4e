#pragma once

#include "platform/FileSystem.h"

#include <array>
#include <string>

namespace pravik::test {

// Makes the atomic writes after the first succeedFirst fail at step for as
// long as it lives (FileSystem::InjectWriteFailure).
class InjectedWriteFailure {
public:
    explicit InjectedWriteFailure(FileSystem::WriteStep step, int succeedFirst = 0) {
        FileSystem::InjectWriteFailure(FileSystem::WriteFailure{step, succeedFirst});
    }
    ~InjectedWriteFailure() { FileSystem::InjectWriteFailure(std::nullopt); }
    InjectedWriteFailure(const InjectedWriteFailure&) = delete;
    InjectedWriteFailure& operator=(const InjectedWriteFailure&) = delete;
};

inline constexpr std::array<FileSystem::WriteStep, 4> kWriteSteps{
    FileSystem::WriteStep::Open, FileSystem::WriteStep::Write, FileSystem::WriteStep::Flush,
    FileSystem::WriteStep::Commit};

inline std::string WriteStepName(FileSystem::WriteStep step) {
    switch (step) {
    case FileSystem::WriteStep::Open:
        return "open";
    case FileSystem::WriteStep::Write:
        return "write";
    case FileSystem::WriteStep::Flush:
        return "flush";
    case FileSystem::WriteStep::Commit:
        return "commit";
    }
    return "?";
}

} // namespace pravik::test
