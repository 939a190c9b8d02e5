#pragma once
// Runs linelab-batch as a separate process and collects what it printed and its status.

#include <string>
#include <vector>

namespace linelab::test {

struct ProcessResult {
    std::string out;  // standard output
    std::string err;  // standard error
    int status = -1;  // exit status; -1 when the process did not exit normally
};

ProcessResult RunBatch(const std::vector<std::string>& args);

}  // namespace linelab::test
