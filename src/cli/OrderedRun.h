#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "cli/FileCommand.h"

namespace qw::cli {

// Processes files on `jobs` workers and hands every outcome to `emit` on the
// calling thread in the order of the files, whatever order they finish in.
// Each group (see jobGroups) runs in one worker, its files in order. A worker
// starts a group only while its first file is fewer than a small window of
// files ahead of the last one emitted, so that the outcomes held back for
// their turn stay few however many files there are. `process` gets the file's
// index and the number of the worker (0 to jobs - 1) that runs it.
void runInOrder(std::size_t fileCount, const std::vector<std::vector<std::size_t>>& groups,
                int jobs, const std::function<FileOutcome(std::size_t file, int worker)>& process,
                const std::function<void(std::size_t file, FileOutcome& outcome)>& emit);

} // namespace qw::cli
