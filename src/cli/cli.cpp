#include "cli/cli.h"

#include <ostream>
#include <string_view>

#include "app/translate.h"
#include "cli/verbs.h"

namespace zor {
namespace {

struct Verb {
  std::string_view name;
  int (*run)(const cli::Args&, std::ostream&, std::ostream&);
  std::string_view usage;
};

int Help(const cli::Args&, std::ostream& out, std::ostream&);

// Verbs in the order --help lists them.
constexpr Verb kVerbs[] = {
    {"--help", Help, N_("--help                          this text")},
    {"--version", cli::Version, N_("--version                       program name and version")},
    {"--xml-tree", cli::XmlTree,
     N_("--xml-tree [--own | --validating] FILE   an XML file's node tree, one JSON line per node")},
    {"--thumbnail", cli::Thumbnail,
     N_("--thumbnail SIZE [--out DIR] FILE...\n"
        "                                          decode thumbnails; one line per file: WxH via PATH")},
    {"--kind", cli::Kind, N_("--kind FILE...                  image kind code of each file")},
    {"--dump", cli::Dump, N_("--dump [--own | --validating] PATH       load a delivery, print its tables as JSON")},
    {"--verify", cli::Verify,
     N_("--verify [--scope 0|1|2] PATH          check a delivery's entries, print the report\n"
        "                                                 (scope: the MissHanni setting); exit status 0 nothing found,\n"
        "                                                 1 faults found, 2 not loaded or wrong arguments")},
    {"--inspect", cli::Inspect,
     N_("--inspect [--json] PATH                 inspect a delivery's pictures: files, names, formats, dates,\n"
        "                                                 EXIF and tamper values; --json: one finding per line;\n"
        "                                                 exit 0 nothing 誤り, 1 誤り found, 2 not loaded or wrong "
        "arguments")},
    {"--check", cli::Check,
     N_("--check [--json] [--scope 0|1|2] [--report FILE.html|FILE.csv] PATH\n"
        "                                                 check the whole delivery: entries item by item, pictures,\n"
        "                                                 characters, folders and names, management files and DTDs;\n"
        "                                                 exit 0 nothing 誤り, 1 誤り found, 2 not loaded or wrong arguments")},
    {"--album", cli::Album,
     N_("--album PATH OUTPARENT [--xhtml] [--per-page N] [--sanko]   write OUTPARENT/ALBUM, the HTML photo album")},
    {"--ledger", cli::Ledger,
     N_("--ledger PATH OUT.pdf [--per-page 2|3] [--only representative|frequency] [--drawings]\n"
        "                                                 write the photo ledger (工事写真帳) as a PDF")},
};

int Help(const cli::Args&, std::ostream& out, std::ostream&) {
  out << Tr("Usage: zorview [FILE]          open the viewer (on PHOTO.XML, INDEX_C.XML or INDEX_D.XML)\n"
            "       zorview VERB ARGS...    run without a window:\n");
  for (const Verb& v : kVerbs) out << "  zorview " << Tr(v.usage.data()) << "\n";
  return cli::kExitOk;
}

const Verb* FindVerb(std::string_view name) {
  for (const Verb& v : kVerbs)
    if (v.name == name) return &v;
  return nullptr;
}

}  // namespace

bool IsCliInvocation(int argc, char** argv) {
  // Any first argument with a dash: a mistyped verb ("-verify") is a usage
  // error, never a window that a script waits on.
  return argc >= 2 && std::string_view(argv[1]).starts_with("-");
}

int RunCli(int argc, char** argv, std::ostream& out, std::ostream& err) {
  const Verb* verb = argc >= 2 ? FindVerb(argv[1]) : nullptr;
  if (!verb) {
    err << "zorview: " << Tr("unknown option") << " " << (argc >= 2 ? argv[1] : "") << "\n";
    Help({}, err, err);
    return cli::kExitUsage;
  }
  cli::Args args(argv + 2, argv + argc);
  return verb->run(args, out, err);
}

}  // namespace zor
