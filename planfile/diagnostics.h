// The /d option's lines on standard error: what the reader saw, to explain a short script.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "planfile/format.h"
#include "planfile/reader.h"

namespace stmtpick {

void ReportShortHeader(std::FILE* to, std::size_t bytes);
void ReportHeader(std::FILE* to, const PlanFileHeader& header);
// A line for each record read, whole or cut, and one for where the input ends.
void ReportRecord(std::FILE* to, const RecordRead& read);
void ReportTrailerCut(std::FILE* to, const RecordRead& read, std::uint64_t endOffset);
void ReportCopy(std::FILE* to, std::uint64_t copied, const std::string& outputPath);

}  // namespace stmtpick
