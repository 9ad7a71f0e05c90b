// SPDX-License-Identifier: GPL-3.0-or-later
#include "modes/ModesTool.h"

#include "common/GbkText.h"
#include "common/Paths.h"
#include "link/ModeFile.h"
#include "modes/ModeLink.h"
#include "modes/ModeText.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Done = 0, Failed = 1, Usage = 2;

constexpr const char* Overview =
    "usage: tonvex-modes VERB ...\n"
    "\n"
    "PC modes (the console's mode.dat) as readable text, and pulled from or pushed to a processor.\n"
    "\n"
    "  list [FILE]                         the 25 PC modes of FILE with their names\n"
    "  export N [FILE]                     PC mode N as text on standard output\n"
    "  import N TEXT [FILE]                PC mode N from the text in TEXT ('-': standard input)\n"
    "  pull --port PORT [--name NAME] N [FILE]   a processor's parameters into PC mode N\n"
    "  push --port PORT N [FILE]           PC mode N to a processor\n"
    "\n"
    "FILE, unless named, is the console's: mode.dat in the current folder when there is one, else\n"
    "~/.local/share/tonvex/mode.dat (under $XDG_DATA_HOME when set). N is 1 to 25. PORT is named as in the\n"
    "console: COM1 ... COM6 (a link of yours in ~/.config/tonvex/ports, else the serial devices in\n"
    "order), or a device path such as /dev/ttyUSB0.\n"
    "'tonvex-modes VERB --help' tells more of each verb; --version prints the version.\n"
    "Exit status: 0 done, 1 a processor or file error, 2 a usage error.\n";

struct Verb {
    const char* name;
    const char* help;
};

const Verb Verbs[] = {
    {"list",
     "usage: tonvex-modes list [FILE]\n"
     "Lists PC modes 1 to 25 of FILE (the console's mode file by default), with the file's path: the\n"
     "number and the name of each; a mode that holds nothing is marked (empty).\n"},
    {"export",
     "usage: tonvex-modes export N [FILE]\n"
     "Writes PC mode N of FILE as text on standard output: the name, then one line a parameter,\n"
     "named by panel and label, in the units the panels show (the codes in a comment where the units\n"
     "round). Both the Sing and the Disco sets of the music and sub-woofer panels are included.\n"
     "Lines starting with # are comments.\n"},
    {"import", "usage: tonvex-modes import N TEXT [FILE]\n"
               "Reads PC mode N from TEXT (as export writes it; '-' reads standard input) and stores it in\n"
               "FILE, which is written whole and safely. Every parameter must be given once and in range;\n"
               "values snap to the processor's codes as the panels' text boxes snap them. On any error the\n"
               "line is named and FILE is left as it was.\n"},
    {"pull", "usage: tonvex-modes pull --port PORT [--name NAME] N [FILE]\n"
             "Connects to the processor on PORT, downloads all of its parameters as the console does (its\n"
             "Sing/Disco selections are put back as they were) and stores them as PC mode N of FILE. The\n"
             "mode keeps its name unless --name gives one: up to 10 ASCII characters or 5 Chinese ones (a\n"
             "name is kept in GBK, two bytes a Chinese character).\n"},
    {"push", "usage: tonvex-modes push --port PORT N [FILE]\n"
             "Writes PC mode N of FILE to the processor on PORT with the console's upload, then sets its\n"
             "Effect level to the mode's Effect Start. Shows a progress bar on a terminal and prints one\n"
             "line with the result. A processor that stops answering ends with status 1 and says how far\n"
             "the upload got.\n"},
};

const Verb* FindVerb(const std::string& name) {
    for (const Verb& v : Verbs)
        if (name == v.name) return &v;
    return nullptr;
}

struct Args {
    std::string verb;
    std::vector<std::string> positional;
    std::string port, name;
    bool hasName = false, help = false;
};

class Tool {
  public:
    Tool(FILE* out, FILE* err) : out_(out), err_(err) {}

    int Run(int argc, char** argv) {
        if (argc < 2) return UsageError("no verb given");
        Args a;
        a.verb = argv[1];
        if (a.verb == "--help" || a.verb == "-h" || a.verb == "help") {
            std::fputs(Overview, out_);
            return Done;
        }
        if (a.verb == "--version") {
            std::fprintf(out_, "tonvex-modes %s\n", TONVEX_VERSION);
            return Done;
        }
        verb_ = FindVerb(a.verb);
        if (!verb_) return UsageError("unknown verb '" + a.verb + "'");
        for (int i = 2; i < argc; ++i) {
            std::string s = argv[i];
            auto value = [&](const char* option, std::string* into) {
                std::string prefix = std::string(option) + "=";
                if (s == option) {
                    if (i + 1 >= argc) return false;
                    *into = argv[++i];
                    return true;
                }
                if (s.compare(0, prefix.size(), prefix) == 0) {
                    *into = s.substr(prefix.size());
                    return true;
                }
                return false;
            };
            bool portVerb = a.verb == "pull" || a.verb == "push";
            if (s == "--help" || s == "-h") {
                a.help = true;
            } else if (portVerb && (s == "--port" || s.rfind("--port=", 0) == 0)) {
                if (!value("--port", &a.port)) return UsageError("--port needs a port name");
            } else if (a.verb == "pull" && (s == "--name" || s.rfind("--name=", 0) == 0)) {
                if (!value("--name", &a.name)) return UsageError("--name needs a name");
                a.hasName = true;
            } else if (s.size() > 1 && s[0] == '-' && s != "-") {
                return UsageError("unknown option '" + s + "'");
            } else {
                a.positional.push_back(s);
            }
        }
        if (a.help) {
            std::fputs(verb_->help, out_);
            return Done;
        }
        if (a.verb == "list") return List(a);
        if (a.verb == "export") return Export(a);
        if (a.verb == "import") return Import(a);
        return Transfer(a);
    }

  private:
    int UsageError(const std::string& what) {
        std::fprintf(err_, "tonvex-modes: %s\n%s", what.c_str(), verb_ ? verb_->help : Overview);
        return Usage;
    }
    int Error(const std::string& what) {
        std::fprintf(err_, "tonvex-modes: %s\n", what.c_str());
        return Failed;
    }

    // The positional arguments: `want` before the optional file.
    bool Positional(const Args& a, size_t want, int* code) {
        if (a.positional.size() < want) {
            *code = UsageError("too few arguments");
            return false;
        }
        if (a.positional.size() > want + 1) {
            *code = UsageError("too many arguments");
            return false;
        }
        path_ = a.positional.size() > want ? a.positional[want] : ModeFilePath();
        return true;
    }

    bool Slot(const std::string& text, int* slot, int* code) {
        char* end = nullptr;
        long n = std::strtol(text.c_str(), &end, 10);
        if (text.empty() || *end || n < 1 || n > ModeSlotCount) {
            *code = UsageError("'" + text + "' is not a PC mode number (1 to 25)");
            return false;
        }
        *slot = static_cast<int>(n) - 1;
        return true;
    }

    // Reads the mode file; `mayBeNew` lets a file that does not exist yet start empty.
    bool Load(bool mayBeNew, int* code) {
        ModeFileStatus status = LoadModeFile(path_.c_str());
        if (status == ModeFileStatus::Loaded || (status == ModeFileStatus::Created && mayBeNew)) return true;
        *code = Error(status == ModeFileStatus::Created ? path_ + ": no such mode file" : ModeFileProblem());
        return false;
    }

    bool Save(int* code) {
        if (WriteModeFile()) return true;
        *code = Error(ModeFileProblem());
        return false;
    }

    static bool Empty(int slot) {
        const uint8_t* r = ModeBuffer + slot * ModeRecordBytes;
        for (int i = 0; i < ModeRecordBytes; ++i)
            if (r[i]) return false;
        return true;
    }

    static uint8_t* Record(int slot) { return ModeBuffer + slot * ModeRecordBytes; }

    int List(const Args& a) {
        int code = Done;
        if (!Positional(a, 0, &code) || !Load(false, &code)) return code;
        std::fprintf(out_, "# PC modes of %s\n", path_.c_str());
        for (int slot = 0; slot < ModeSlotCount; ++slot) {
            std::string shown = Empty(slot) ? "(empty)" : QuotedModeName(Record(slot) + ModeNameOffset);
            std::fprintf(out_, "%2d  %s\n", slot + 1, shown.c_str());
        }
        return Done;
    }

    int Export(const Args& a) {
        int code = Done, slot = 0;
        if (!Positional(a, 1, &code) || !Slot(a.positional[0], &slot, &code) || !Load(false, &code))
            return code;
        std::vector<std::string> warnings;
        std::string text = ModeRecordToText(Record(slot), &warnings);
        for (const std::string& w : warnings)
            std::fprintf(err_, "tonvex-modes: warning: %s\n", w.c_str());
        std::fprintf(out_, "# PC mode %d of %s%s\n", slot + 1, path_.c_str(), Empty(slot) ? " (empty)" : "");
        std::fputs(text.c_str(), out_);
        return Done;
    }

    int Import(const Args& a) {
        int code = Done, slot = 0;
        if (!Positional(a, 2, &code) || !Slot(a.positional[0], &slot, &code)) return code;
        const std::string& source = a.positional[1];
        std::string text;
        if (source == "-") {
            text.assign(std::istreambuf_iterator<char>(std::cin), {});
        } else {
            std::ifstream in(source, std::ios::binary);
            if (!in) return Error(source + ": " + std::strerror(errno));
            text.assign(std::istreambuf_iterator<char>(in), {});
        }
        uint8_t record[ModeRecordBytes];
        ModeTextError problem;
        if (!ModeRecordFromText(text, record, &problem)) {
            std::string where = source == "-" ? "standard input" : source;
            if (problem.line) where += ":" + std::to_string(problem.line);
            return Error(where + ": " + problem.message + "; nothing was stored");
        }
        if (!Load(true, &code)) return code;
        std::memcpy(Record(slot), record, ModeRecordBytes);
        if (!Save(&code)) return code;
        std::fprintf(out_, "PC mode %d of %s stored from %s\n", slot + 1, path_.c_str(),
                     source == "-" ? "standard input" : source.c_str());
        return Done;
    }

    int Transfer(const Args& a) {
        bool pull = a.verb == "pull";
        int code = Done, slot = 0;
        if (a.port.empty()) return UsageError("--port PORT is needed");
        // The name comes in the shell's UTF-8 and is kept in GBK, as the console keeps it.
        std::string name, problem;
        if (a.hasName && !Utf8ToGbkText(a.name, &name, &problem)) return UsageError("--name: " + problem);
        if (name.size() > ModeNameBytes)
            return UsageError("--name holds at most 10 bytes in GBK (a Chinese character takes 2)");
        if (!Positional(a, 1, &code) || !Slot(a.positional[0], &slot, &code) || !Load(pull, &code))
            return code;
        if (!pull && Empty(slot))
            return Error("PC mode " + std::to_string(slot + 1) + " of " + path_ +
                         " is empty; nothing was sent");

        bool bar = isatty(fileno(err_)) == 1;
        const char* doing = pull ? "pull" : "push";
        LinkProgress progress = [&](uint32_t done, uint32_t total) {
            if (!bar || total == 0) return;
            int filled = static_cast<int>(40ull * done / total);
            std::fprintf(err_, "\r%s %s [%s%s] %u/%u", doing, a.port.c_str(),
                         std::string(filled, '#').c_str(), std::string(40 - filled, ' ').c_str(), done,
                         total);
            std::fflush(err_);
        };
        LinkOutcome result =
            pull ? PullMode(a.port.c_str(), slot, progress) : PushMode(a.port.c_str(), slot, progress);
        if (bar && result.total) std::fputc('\n', err_);
        if (!result.ok) return Error(std::string(doing) + " on " + a.port + ": " + result.message);
        if (pull) {
            if (a.hasName) SetModeSlotName(slot, name.c_str());
            if (!Save(&code)) return code;
            std::fprintf(out_, "PC mode %d of %s pulled from %s (%u parameters)\n", slot + 1, path_.c_str(),
                         a.port.c_str(), result.done);
        } else {
            std::fprintf(out_, "PC mode %d of %s pushed to %s (%u writes)\n", slot + 1, path_.c_str(),
                         a.port.c_str(), result.done);
        }
        return Done;
    }

    FILE* out_;
    FILE* err_;
    const Verb* verb_ = nullptr;
    std::string path_;
};

} // namespace

int RunModesTool(int argc, char** argv, FILE* out, FILE* err) {
    return Tool(out, err).Run(argc, argv);
}
