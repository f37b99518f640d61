// kestrel-cli: the viewer's text engine on the command line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrel {
class IniFile;
}

namespace kestrel::cli {

// Exit statuses shared by every subcommand.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // the operation itself failed (a decode error, ...)
constexpr int kExitUsage = 2;    // unknown option, missing or unreadable file

// Arguments after the subcommand name, with a cursor for simple option parsing.
class Args {
  public:
    explicit Args(std::vector<std::string> items) : items_(std::move(items)) {}
    bool Done() const { return pos_ >= items_.size(); }
    const std::string& Peek() const { return items_[pos_]; }
    std::string Take() { return items_[pos_++]; }
    // Takes the value of an option such as "--ini FILE"; false when it is missing.
    bool TakeValue(const std::string& option, std::string& value);
    size_t Remaining() const { return items_.size() - pos_; }

  private:
    std::vector<std::string> items_;
    size_t pos_ = 0;
};

// Prints "kestrel-cli <cmd>: <message>" to standard error and returns kExitUsage.
int UsageError(const std::string& cmd, const std::string& message);

// Loads the settings file of "--ini FILE" (found without regard to case on file systems that
// tell case); an empty path gives the defaults. False, after the usage message, when the file
// cannot be read.
bool LoadIniOption(const std::string& cmd, const std::string& path, IniFile& ini);

// The frame of "CMD [--ini FILE] [FILE]": parses the options, loads the settings and the input
// lines, runs pass on them and writes the result.
int RunLinePass(Args& args, const std::string& cmd,
                void (*pass)(std::vector<std::string>& lines, const IniFile& ini));

// Reads FILE (or standard input when path is empty or "-") as Shift-JIS lines: a line ends
// at CR LF or a lone LF, and a last line without an end counts. False when unreadable.
bool ReadInputLines(const std::string& path, std::vector<std::string>& lines);

// Writes each line followed by CR LF to standard output, bytes unchanged.
void WriteOutputLines(const std::vector<std::string>& lines);
void WriteOutput(const std::string& bytes);

// The frame of "scramble" and "unscramble": "--pin N [--ini FILE] [FILE]", the input lines
// read and [Scramble] SubjectLength taken from the settings. False after the usage message.
struct ScrambleArgs {
    std::string input;
    uint16_t pin = 0;
    uint8_t keptSubjectBytes = 7;
    std::vector<std::string> lines;
};
bool ParseScrambleArgs(Args& args, const std::string& cmd, ScrambleArgs& out);

// Subcommands. Each returns the process exit status.
int CmdSettings(Args& args);
int CmdShow(Args& args);
int CmdDecode(Args& args);
int CmdReformat(Args& args);
int CmdQuote(Args& args);
int CmdUnquote(Args& args);
int CmdScramble(Args& args);
int CmdUnscramble(Args& args);
int CmdWidenKana(Args& args);

}  // namespace kestrel::cli
