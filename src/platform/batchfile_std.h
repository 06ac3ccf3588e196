// The batch file written with the C standard library's file streams.
#pragma once

#include <cstdio>

#include "core/base/batchfile.h"

namespace quorvane::platform {

class StdBatchFile : public core::BatchFile {
public:
    StdBatchFile() = default;
    StdBatchFile(const StdBatchFile&) = delete;
    StdBatchFile& operator=(const StdBatchFile&) = delete;
    ~StdBatchFile() override;

    Failure create(const std::string& path) override;
    Failure writeLine(std::string_view line) override;
    Failure close() override;
    bool isOpen() const override { return file_ != nullptr; }

private:
    std::FILE* file_ = nullptr;
};

}  // namespace quorvane::platform
