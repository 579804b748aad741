// The names a report carries while it is written: hidden from the bank
// search, and telling whose they are, so that a later run can remove those
// that a run killed outright left behind.

#ifndef DRAVELIN_REPORT_TEMPORARY_REPORT_NAME_H_
#define DRAVELIN_REPORT_TEMPORARY_REPORT_NAME_H_

#include <cstdint>
#include <filesystem>
#include <optional>

namespace dravelin {

// ".<report name>.<writer>.<six random letters or digits>.tmp" beside
// `path`, where <writer> is the decimal id of the writing process: hidden
// from the bank search by its leading '.', and never ending in ".syx". The
// report's name is cut to its first 160 characters.
std::filesystem::path TemporaryReportPath(const std::filesystem::path& path,
                                          std::uint64_t writer);

// The writer of a file named `file_name` (a name without folder) when the
// name has exactly the form TemporaryReportPath gives (a writer above 0,
// written without leading zeros); nullopt for any other name.
std::optional<std::uint64_t> TemporaryReportWriter(const std::filesystem::path& file_name);

}  // namespace dravelin

#endif  // DRAVELIN_REPORT_TEMPORARY_REPORT_NAME_H_
