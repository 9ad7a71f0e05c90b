// SPDX-License-Identifier: GPL-3.0-or-later
#include "modes/ModesTool.h"

#include "common/GbkText.h"
#include "common/Paths.h"
#include "eq/EqFilterText.h"
#include "link/Serial.h"
#include "link/ModeFile.h"
#include "modes/ModeLink.h"
#include "modes/ModeText.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
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
    "  (pull and push take --port several times, or --ports FILE: every room at once)\n"
    "  diff A B                            the parameters that differ between two PC modes or\n"
    "                                      processors (A, B: N, FILE:N or --port PORT)\n"
    "  ping --port PORT                    whether a processor answers on PORT\n"
    "  eq-import N SECTION TEXT [FILE]     a section's bands of PC mode N from EQ filters in TEXT\n"
    "  eq-export N SECTION [FILE]          a section's bands of PC mode N as EQ filters\n"
    "                                      (SECTION: mic, music.sing, music.disco, sub, sc, room)\n"
    "  ports [--port PORT]... [--ports PORTS]   COM1 to COM6 and the given ports: what each\n"
    "                                      reaches and whether a processor answers there\n"
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
             "       tonvex-modes pull --port PORT --port PORT... | --ports PORTS N [FILE]\n"
             "Connects to the processor on PORT, downloads all of its parameters as the console does (its\n"
             "Sing/Disco selections are put back as they were) and stores them as PC mode N of FILE. The\n"
             "mode keeps its name unless --name gives one: up to 10 ASCII characters or 5 Chinese ones (a\n"
             "name is kept in GBK, two bytes a Chinese character).\n"
             "With several ports, all are pulled at once into PC modes N, N+1, ... in their order, each\n"
             "named after its room when PORTS names one; one line a port says what happened, and the\n"
             "status is 0 only when every one succeeded.\n"},
    {"push", "usage: tonvex-modes push --port PORT N [FILE]\n"
             "       tonvex-modes push --port PORT --port PORT... | --ports PORTS N [FILE]\n"
             "Writes PC mode N of FILE to the processor on PORT with the console's upload, then sets its\n"
             "Effect level to the mode's Effect Start. Shows a progress bar on a terminal and prints one\n"
             "line with the result. A processor that stops answering ends with status 1 and says how far\n"
             "the upload got.\n"
             "With several ports, the mode goes to all of them at once, one transfer a port; one line a\n"
             "port says what happened (a processor that fails does not stop the others), and the status\n"
             "is 0 only when every one succeeded. PORTS is a file of one port a line, optionally followed\n"
             "by the room's name; # starts a comment.\n"},
    {"diff",
     "usage: tonvex-modes diff A B\n"
     "A and B are each a PC mode (N: mode N of the console's mode file; FILE:N: mode N of FILE) or a\n"
     "processor (--port PORT: its parameters as they are now). Prints each parameter that differs,\n"
     "as export writes it, A's line after '-' and B's after '+'; nothing when they are the same.\n"
     "Names are not compared. Exit status: 0 the same, 1 different, 2 trouble (usage, a file or a\n"
     "processor that could not be read), as diff(1).\n"},
    {"eq-import",
     "usage: tonvex-modes eq-import N SECTION TEXT [FILE]\n"
     "Sets the bands of SECTION (mic, music.sing, music.disco, sub, sc or room) of PC mode N from the\n"
     "filters in TEXT ('-': standard input), as measurement programs export them for PC equalisers:\n"
     "'Filter 1: ON PK Fc 63 Hz Gain -5.0 dB Q 4.00' (PK a peak, LSC/LS a low shelf, HSC/HS a high\n"
     "shelf). The filters that are ON fill the bands in order, snapped to the processor's steps; the\n"
     "bands left over are set flat (0 dB). Prints each filter asked for against the band stored.\n"
     "Nothing is stored when a line cannot be taken, a value is beyond a band's range or more\n"
     "filters are ON than the section has bands.\n"},
    {"eq-export", "usage: tonvex-modes eq-export N SECTION [FILE]\n"
                  "Writes the bands of SECTION of PC mode N as such filters, one line a band: what a PC\n"
                  "equaliser reads, and what eq-import reads back to the same bands.\n"},
    {"ping", "usage: tonvex-modes ping --port PORT\n"
             "Opens PORT and pings it as the console's Connect does. Status 0 when a processor answered, 1\n"
             "(with the reason) when none did or the port could not be opened.\n"},
    {"ports",
     "usage: tonvex-modes ports [--port PORT]... [--ports PORTS]\n"
     "Lists COM1 to COM6, then each given port (PORTS as for push): what it reaches (the device,\n"
     "or the network port; 'pinned' when a link or file of yours in ~/.config/tonvex/ports names it)\n"
     "and whether a processor answers there, all pinged at once. Status 0 when every given port\n"
     "answered, or, with none given, when any of COM1 to COM6 did.\n"},
};

const Verb* FindVerb(const std::string& name) {
    for (const Verb& v : Verbs)
        if (name == v.name) return &v;
    return nullptr;
}

// A port given to pull or push, with the room it serves (from --ports; may be empty).
struct Room {
    std::string port, name;
};

struct Args {
    std::string verb;
    std::vector<std::string> positional;
    std::vector<Room> rooms;
    std::string name;
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
            bool portVerb = a.verb == "pull" || a.verb == "push" || a.verb == "ping" || a.verb == "ports";
            if (a.verb == "diff" && (s == "--port" || s.rfind("--port=", 0) == 0)) {
                std::string port;
                if (!value("--port", &port)) return UsageError("--port needs a port name");
                a.positional.push_back("--port=" + port); // an operand, kept in its place
                continue;
            }
            if (s == "--help" || s == "-h") {
                a.help = true;
            } else if (portVerb && (s == "--port" || s.rfind("--port=", 0) == 0)) {
                std::string port;
                if (!value("--port", &port)) return UsageError("--port needs a port name");
                a.rooms.push_back({port, ""});
            } else if (portVerb && (s == "--ports" || s.rfind("--ports=", 0) == 0)) {
                std::string file, problem;
                if (!value("--ports", &file)) return UsageError("--ports needs a file");
                if (!ReadRooms(file, &a.rooms, &problem)) return Error(problem);
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
        if (a.verb == "diff") return Diff(a);
        if (a.verb == "ping") return Ping(a);
        if (a.verb == "eq-import") return EqImport(a);
        if (a.verb == "eq-export") return EqExport(a);
        if (a.verb == "ports") return Ports(a);
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

    // The text of `source`, a file or '-' for standard input.
    bool ReadSource(const std::string& source, std::string* text, int* code) {
        if (source == "-") {
            text->assign(std::istreambuf_iterator<char>(std::cin), {});
            return true;
        }
        std::ifstream in(source, std::ios::binary);
        if (!in) {
            *code = Error(source + ": " + std::strerror(errno));
            return false;
        }
        text->assign(std::istreambuf_iterator<char>(in), {});
        return true;
    }

    int Import(const Args& a) {
        int code = Done, slot = 0;
        if (!Positional(a, 2, &code) || !Slot(a.positional[0], &slot, &code)) return code;
        const std::string& source = a.positional[1];
        std::string text;
        if (!ReadSource(source, &text, &code)) return code;
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
        if (a.rooms.empty()) return UsageError("--port PORT is needed");
        if (a.rooms.size() > 1) return TransferMany(a, pull);
        const std::string& port = a.rooms[0].port;
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
            std::fprintf(err_, "\r%s %s [%s%s] %u/%u", doing, port.c_str(), std::string(filled, '#').c_str(),
                         std::string(40 - filled, ' ').c_str(), done, total);
            std::fflush(err_);
        };
        LinkOutcome result =
            pull ? PullMode(port.c_str(), slot, progress) : PushMode(port.c_str(), slot, progress);
        if (bar && result.total) std::fputc('\n', err_);
        if (!result.ok) return Error(std::string(doing) + " on " + port + ": " + result.message);
        if (pull) {
            if (a.hasName) SetModeSlotName(slot, name.c_str());
            if (!Save(&code)) return code;
            std::fprintf(out_, "PC mode %d of %s pulled from %s (%u parameters)\n", slot + 1, path_.c_str(),
                         port.c_str(), result.done);
        } else {
            std::fprintf(out_, "PC mode %d of %s pushed to %s (%u writes)\n", slot + 1, path_.c_str(),
                         port.c_str(), result.done);
        }
        return Done;
    }

    // Every port at once: one process a port (the link keeps one port a process), each this program
    // run afresh for that one port (a pull into a file of its own), its words read back and said in one
    // line a port, in the ports' order.
    int TransferMany(const Args& a, bool pull) {
        int code = Done, slot = 0;
        if (a.hasName)
            return UsageError("--name names one mode; with several ports, name the rooms in --ports");
        if (!Positional(a, 1, &code) || !Slot(a.positional[0], &slot, &code) || !Load(pull, &code))
            return code;
        const size_t count = a.rooms.size();
        if (pull && slot + count > static_cast<size_t>(ModeSlotCount))
            return UsageError(std::to_string(count) + " processors from PC mode " + std::to_string(slot + 1) +
                              " on run past mode 25");
        std::vector<std::string> names(count);
        for (size_t i = 0; pull && i < count; ++i) {
            std::string problem;
            if (!a.rooms[i].name.empty() && !Utf8ToGbkText(a.rooms[i].name, &names[i], &problem))
                return UsageError(a.rooms[i].port + ": the room's name: " + problem);
        }
        if (!pull && Empty(slot))
            return Error("PC mode " + std::to_string(slot + 1) + " of " + path_ +
                         " is empty; nothing was sent");

        char folder[] = "/tmp/tonvex-modes-XXXXXX";
        if (pull && !mkdtemp(folder))
            return Error(std::string("no temporary folder: ") + std::strerror(errno));
        std::vector<RoomRun> runs(count);
        for (size_t i = 0; i < count; ++i) {
            int mode = (pull ? slot + static_cast<int>(i) : slot) + 1;
            runs[i].file = pull ? std::string(folder) + "/" + std::to_string(i) + ".dat" : path_;
            runs[i].Start({a.verb, "--port", a.rooms[i].port, std::to_string(mode), runs[i].file});
        }
        bool all = true, pulledAny = false;
        for (size_t i = 0; i < count; ++i) {
            RoomRun& run = runs[i];
            run.Finish();
            const Room& room = a.rooms[i];
            std::string who = room.name.empty() ? room.port : room.name + " (" + room.port + ")";
            int mode = (pull ? slot + static_cast<int>(i) : slot) + 1;
            if (run.status != 0) {
                all = false;
                std::fprintf(out_, "%s: not %s: %s\n", who.c_str(), pull ? "pulled" : "pushed",
                             run.Reason().c_str());
            } else if (pull) {
                pulledAny = true;
                std::vector<uint8_t> pulled(ModeRecordBytes);
                std::ifstream in(run.file, std::ios::binary);
                in.seekg(static_cast<std::streamoff>(mode - 1) * ModeRecordBytes);
                in.read(reinterpret_cast<char*>(pulled.data()), ModeRecordBytes);
                std::memcpy(Record(mode - 1) + ModeFirstParamOffset, pulled.data() + ModeFirstParamOffset,
                            ModeRecordBytes - ModeFirstParamOffset);
                if (!names[i].empty()) SetModeSlotName(mode - 1, names[i].c_str());
                std::fprintf(out_, "%s: pulled into PC mode %d (%s parameters)\n", who.c_str(), mode,
                             run.Count().c_str());
            } else {
                std::fprintf(out_, "%s: PC mode %d pushed (%s writes)\n", who.c_str(), mode,
                             run.Count().c_str());
            }
            if (pull) std::remove(run.file.c_str());
        }
        if (pull) rmdir(folder);
        if (pulledAny && !Save(&code)) return code;
        return all ? Done : Failed;
    }

    // One port's transfer: this program run for it, its standard output and error kept.
    struct RoomRun {
        std::string file, out, err;
        pid_t pid = -1;
        int outFd = -1, errFd = -1, status = -1;

        void Start(std::vector<std::string> args) {
            int o[2], e[2];
            if (pipe2(o, O_CLOEXEC) != 0) return;
            if (pipe2(e, O_CLOEXEC) != 0) {
                close(o[0]);
                close(o[1]);
                return;
            }
            std::string program = ModesToolProgram();
            args.insert(args.begin(), program);
            std::vector<char*> argv;
            for (std::string& arg : args)
                argv.push_back(arg.data());
            argv.push_back(nullptr);
            pid = fork();
            if (pid == 0) {
                dup2(o[1], STDOUT_FILENO);
                dup2(e[1], STDERR_FILENO);
                execv(program.c_str(), argv.data());
                _exit(127);
            }
            close(o[1]);
            close(e[1]);
            outFd = o[0];
            errFd = e[0];
        }
        // Reads both outputs to their end (neither can fill its pipe while the other is read) and
        // waits for the exit status.
        void Finish() {
            pollfd p[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
            while (p[0].fd >= 0 || p[1].fd >= 0) {
                if (poll(p, 2, -1) < 0 && errno != EINTR) break;
                for (int k = 0; k < 2; ++k) {
                    if (p[k].fd < 0 || !p[k].revents) continue;
                    char chunk[512];
                    ssize_t n = read(p[k].fd, chunk, sizeof chunk);
                    if (n > 0) {
                        (k == 0 ? out : err).append(chunk, static_cast<size_t>(n));
                    } else {
                        close(p[k].fd);
                        p[k].fd = -1;
                    }
                }
            }
            int raw = 0;
            if (pid > 0 && waitpid(pid, &raw, 0) == pid) status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128;
        }
        // "219" of "... (219 writes)".
        std::string Count() const {
            size_t open = out.rfind('('), space = out.find(' ', open);
            return open == std::string::npos || space == std::string::npos
                       ? "?"
                       : out.substr(open + 1, space - open - 1);
        }
        // The run's error without the program's name and the "push on PORT: " it repeats.
        std::string Reason() const {
            if (status == 127 || (status < 0 && err.empty())) return "the transfer could not be started";
            std::string line = err.substr(0, err.find('\n'));
            size_t cut = line.find(": ", line.find(" on "));
            if (line.rfind("tonvex-modes: ", 0) == 0 && cut != std::string::npos) return line.substr(cut + 2);
            return line.empty() ? "the transfer ended without a word (status " + std::to_string(status) + ")"
                                : line;
        }
    };

    // The equaliser sections of a record: their names, first band byte and band count.
    struct Section {
        const char* name;
        int offset, bands;
    };
    static constexpr Section Sections[] = {{"mic", 39, 7},  {"music.sing", 71, 7}, {"music.disco", 101, 7},
                                           {"sub", 138, 3}, {"sc", 158, 3},        {"room", 170, 15}};

    bool FindSection(const std::string& name, const Section** section, int* code) {
        for (const Section& s : Sections)
            if (name == s.name) {
                *section = &s;
                return true;
            }
        *code = UsageError("'" + name + "' is not a section (mic, music.sing, music.disco, sub, sc or room)");
        return false;
    }

    int EqImport(const Args& a) {
        int code = Done, slot = 0;
        const Section* section = nullptr;
        if (!Positional(a, 3, &code) || !Slot(a.positional[0], &slot, &code) ||
            !FindSection(a.positional[1], &section, &code))
            return code;
        const std::string& source = a.positional[2];
        std::string text;
        if (!ReadSource(source, &text, &code)) return code;
        EqFilterImport filters = ReadEqFilters(text, section->bands);
        if (!filters.problem.empty()) {
            std::string where = source == "-" ? "standard input" : source;
            if (filters.problemLine) where += ":" + std::to_string(filters.problemLine);
            return Error(where + ": " + filters.problem + "; nothing was stored");
        }
        if (!Load(true, &code)) return code;
        uint8_t* band = Record(slot) + section->offset;
        for (int b = 0; b < section->bands; ++b, band += 4) {
            if (b < static_cast<int>(filters.bands.size())) {
                const EqBandCodes& c = filters.bands[static_cast<size_t>(b)];
                band[0] = c.type, band[1] = c.freq, band[2] = c.gain, band[3] = c.q;
            } else {
                band[2] = 120; // flat
            }
        }
        if (!Save(&code)) return code;
        static const char* const Types[3] = {"PK", "LSC", "HSC"};
        for (size_t i = 0; i < filters.bands.size(); ++i) {
            const EqBandCodes& c = filters.bands[i];
            std::fprintf(out_, "band %zu: %-3s %8.1f Hz %+5.1f dB Q %5.2f  ->  %8.1f Hz %+5.1f dB Q %5.2f\n",
                         i + 1, Types[c.type], filters.askedHz[i], filters.askedDb[i], filters.askedQ[i],
                         EqFreqHz(c.freq), EqGainDb(c.gain), EqQ(c.q));
        }
        if (filters.bands.size() < static_cast<size_t>(section->bands))
            std::fprintf(out_, "bands %zu to %d: flat\n", filters.bands.size() + 1, section->bands);
        std::fprintf(out_,
                     "%s of PC mode %d of %s: %zu filters taken, snapped by at most %.2f %% (frequency), "
                     "%.1f dB, Q %.2f%s\n",
                     section->name, slot + 1, path_.c_str(), filters.bands.size(), filters.worstHzPercent,
                     filters.worstDb, filters.worstQ,
                     filters.preampIgnored ? "; the preamp line was left out" : "");
        return Done;
    }

    int EqExport(const Args& a) {
        int code = Done, slot = 0;
        const Section* section = nullptr;
        if (!Positional(a, 2, &code) || !Slot(a.positional[0], &slot, &code) ||
            !FindSection(a.positional[1], &section, &code) || !Load(false, &code))
            return code;
        std::vector<EqBandCodes> bands;
        const uint8_t* band = Record(slot) + section->offset;
        for (int b = 0; b < section->bands; ++b, band += 4) {
            // Codes beyond a band's range (a processor may hold them) are written at the range's end.
            auto held = [](uint8_t v, int limit) { return static_cast<uint8_t>(v > limit ? limit : v); };
            bands.push_back({held(band[0], 2), band[1], held(band[2], 180), held(band[3], 179)});
        }
        std::fprintf(out_, "# %s of PC mode %d of %s\n", section->name, slot + 1, path_.c_str());
        std::fputs(WriteEqFilters(bands).c_str(), out_);
        return Done;
    }

    int Ping(const Args& a) {
        if (a.rooms.size() != 1) return UsageError("ping takes one --port PORT");
        if (!a.positional.empty()) return UsageError("too many arguments");
        const std::string& port = a.rooms[0].port;
        LinkOutcome result = PingPort(port.c_str());
        if (!result.ok) return Error("ping on " + port + ": " + result.message);
        std::fprintf(out_, "%s: a processor answered\n", port.c_str());
        return Done;
    }

    // COM1 to COM6 and the given ports, each place pinged once (by a run of its own, all at once)
    // however many names reach it.
    int Ports(const Args& a) {
        if (!a.positional.empty()) return UsageError("too many arguments");
        struct Line {
            std::string label, shown;
            int run; // -1: nothing to ping
            bool given;
        };
        std::vector<Line> lines;
        std::vector<std::string> targets;
        std::vector<RoomRun> runs;
        runs.reserve(6 + a.rooms.size());
        auto add = [&](const std::string& label, const std::string& port, bool given) {
            std::string target = PortTarget(port.c_str());
            if (target.empty()) {
                lines.push_back({label, "(nothing)", -1, given});
                return;
            }
            std::string path = ResolvePortName(port.c_str());
            bool pinned = port.find('/') == std::string::npos && !path.empty() && path != target;
            int run = 0;
            while (run < static_cast<int>(targets.size()) && targets[run] != target)
                ++run;
            if (run == static_cast<int>(targets.size())) {
                targets.push_back(target);
                runs.emplace_back();
                runs.back().Start({"ping", "--port", port});
            }
            // A port given without a room's name is its own label.
            std::string shown = target == label ? "" : target + (pinned ? " (pinned)" : "");
            lines.push_back({label, shown, run, given});
        };
        for (int n = 1; n <= 6; ++n)
            add("COM" + std::to_string(n), "COM" + std::to_string(n), false);
        for (const Room& room : a.rooms)
            add(room.name.empty() ? room.port : room.name, room.port, true);
        for (RoomRun& run : runs)
            run.Finish();

        size_t labelWidth = 0, shownWidth = 0;
        for (const Line& line : lines) {
            labelWidth = std::max(labelWidth, line.label.size());
            shownWidth = std::max(shownWidth, line.shown.size());
        }
        bool anyAnswered = false, allGivenAnswered = true;
        for (const Line& line : lines) {
            std::string state;
            if (line.run >= 0) {
                bool answered = runs[line.run].status == 0;
                state = answered ? "a processor answers" : "no answer: " + runs[line.run].Reason();
                anyAnswered = anyAnswered || answered;
                if (line.given && !answered) allGivenAnswered = false;
            } else if (line.given) {
                allGivenAnswered = false;
            }
            char text[1024];
            std::snprintf(text, sizeof text, "%-*s  %-*s  %s", static_cast<int>(labelWidth),
                          line.label.c_str(), static_cast<int>(shownWidth), line.shown.c_str(),
                          state.c_str());
            std::string row = text;
            row.erase(row.find_last_not_of(' ') + 1);
            std::fprintf(out_, "%s\n", row.c_str());
        }
        return (a.rooms.empty() ? anyAnswered : allGivenAnswered) ? Done : Failed;
    }

    // diff: the two operands' records as text, compared parameter by parameter.
    int Diff(const Args& a) {
        constexpr int Trouble = 2;
        if (a.positional.size() != 2) {
            UsageError(a.positional.size() < 2 ? "diff needs two operands" : "diff takes two operands");
            return Trouble;
        }
        std::vector<std::string> lines[2];
        for (int k = 0; k < 2; ++k) {
            uint8_t record[ModeRecordBytes];
            std::string problem;
            if (!Operand(a.positional[k], record, &problem)) {
                Error(problem);
                return Trouble;
            }
            std::istringstream text(ModeRecordToText(record, nullptr));
            for (std::string line; std::getline(text, line);) {
                // The parameter as written, without the comment that repeats its codes.
                if (line.empty() || line[0] == '#' || line.rfind("name =", 0) == 0) continue;
                size_t hash = line.find("  #");
                if (hash != std::string::npos) line.erase(line.find_last_not_of(' ', hash) + 1);
                lines[k].push_back(line);
            }
        }
        bool same = true;
        for (size_t i = 0; i < lines[0].size() && i < lines[1].size(); ++i) {
            if (lines[0][i] == lines[1][i]) continue;
            same = false;
            std::fprintf(out_, "- %s\n+ %s\n", lines[0][i].c_str(), lines[1][i].c_str());
        }
        return same ? Done : 1;
    }

    // One diff operand's record: "--port=PORT" (pulled now), "FILE:N" or "N" (the console's file).
    bool Operand(const std::string& operand, uint8_t record[ModeRecordBytes], std::string* problem) {
        if (operand.rfind("--port=", 0) == 0) {
            std::string port = operand.substr(7);
            LinkOutcome pulled = PullMode(port.c_str(), 0, nullptr);
            if (!pulled.ok) {
                *problem = "pull on " + port + ": " + pulled.message;
                return false;
            }
            std::memcpy(record, Record(0), ModeRecordBytes);
            return true;
        }
        size_t colon = operand.rfind(':');
        std::string file = colon == std::string::npos ? ModeFilePath() : operand.substr(0, colon);
        std::string number = colon == std::string::npos ? operand : operand.substr(colon + 1);
        char* end = nullptr;
        long n = std::strtol(number.c_str(), &end, 10);
        if (number.empty() || *end || n < 1 || n > ModeSlotCount) {
            *problem = "'" + operand + "' is not a PC mode (N or FILE:N, N from 1 to 25) or --port PORT";
            return false;
        }
        ModeFileStatus status = LoadModeFile(file.c_str());
        if (status != ModeFileStatus::Loaded) {
            *problem = status == ModeFileStatus::Created ? file + ": no such mode file" : ModeFileProblem();
            return false;
        }
        std::memcpy(record, Record(static_cast<int>(n) - 1), ModeRecordBytes);
        return true;
    }

    // PORTS: one port a line, then optionally the room's name; blank lines and # comments skipped.
    static bool ReadRooms(const std::string& file, std::vector<Room>* rooms, std::string* problem) {
        std::ifstream in(file);
        if (!in) {
            *problem = file + ": " + std::strerror(errno);
            return false;
        }
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            size_t hash = line.find('#');
            if (hash != std::string::npos) line.resize(hash);
            size_t start = line.find_first_not_of(" \t\r");
            if (start == std::string::npos) continue;
            size_t end = line.find_first_of(" \t\r", start);
            Room room{line.substr(start, end - start), ""};
            if (end != std::string::npos) {
                size_t nameStart = line.find_first_not_of(" \t\r", end);
                size_t nameEnd = line.find_last_not_of(" \t\r");
                if (nameStart != std::string::npos)
                    room.name = line.substr(nameStart, nameEnd - nameStart + 1);
            }
            rooms->push_back(room);
        }
        if (rooms->empty()) {
            *problem = file + ": no port in it";
            return false;
        }
        return true;
    }

    FILE* out_;
    FILE* err_;
    const Verb* verb_ = nullptr;
    std::string path_;
};

} // namespace

namespace {
std::string g_program = "/proc/self/exe";
} // namespace

std::string ModesToolProgram() {
    return g_program;
}

void SetModesToolProgram(const std::string& path) {
    g_program = path;
}

int RunModesTool(int argc, char** argv, FILE* out, FILE* err) {
    return Tool(out, err).Run(argc, argv);
}
