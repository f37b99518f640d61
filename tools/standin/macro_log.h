// The stand-in programs' log: every macro received, one per line, with the time it arrived, so
// a test can check both the order of the macros and the time between them. Lines the
// stand-in adds about its own work start with "! " after the time.
//
//   10:57:24.123 [Update(c:\data\recv.fld,0001)]
//   10:57:24.530 [Focus(c:\data\recv.fld,0001)]
//   10:57:30.002 ! Move: could not delete c:\data\recv\0001.txt
#pragma once

#include <string>
#include <vector>

namespace kestrel::standin {

// "HH:MM:SS.mmm " + text, the time of day given in milliseconds since midnight.
std::string LogLine(long long msOfDay, const std::string& text);
// The same with the time of day now (local time).
std::string LogLineNow(const std::string& text);

struct LogEntry {
    long long msOfDay = -1;
    std::string text;  // the macro, or "! ..." for a note
};
// The entries of a log's bytes; lines without a time are skipped.
std::vector<LogEntry> ParseLog(const std::string& bytes);

}  // namespace kestrel::standin
