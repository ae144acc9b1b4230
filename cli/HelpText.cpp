#include "HelpText.h"

namespace cli {
namespace {

constexpr char kOverview[] = R"(Usage: kivuna-cli COMMAND [OPTIONS] PATH...

Shows and edits the ID3v1 and ID3v2 tags of MP3 files.

Commands:
  show FILE...                      both tags of each file
  set FILE... FIELD OPTIONS         change the fields given, keep the others
  copy v1-to-v2|v2-to-v1 FILE...    copy one tag's texts into the other tag
  sync PATH...                      merge both tags and write the result into both;
                                    folders are searched for MP3 files
  help [COMMAND]                    this text, or the help of one command

Run "kivuna-cli COMMAND --help" for the options of a command.

Exit status: 0 when every file went through, 1 when some failed (each failure is
one line on standard error), 2 when the command line was wrong.
)";

constexpr char kShow[] = R"(Usage: kivuna-cli show [--json] FILE...

Shows the ID3v1 and ID3v2 tags of each file side by side: title, artist, album,
year, genre, track and comment. A tag the file does not hold shows empty texts.

  --json    a JSON array with one object per file: "path", "v1" and "v2" (each
            with the seven fields) and "errors" (the messages for that file)
)";

constexpr char kSet[] = R"(Usage: kivuna-cli set [--v1|--v2|--both] [--dry-run] FIELD... FILE...

Changes only the fields given, in the tags chosen; every other field and frame
stays as it was. A file without the tag is given one.

Fields:
  --title TEXT   --artist TEXT   --album TEXT   --year TEXT
  --genre NAME   --track NUMBER  --comment TEXT
  An empty text clears the field. An ID3v1 tag keeps 30 characters per text,
  a genre from the ID3v1 genre list and a track of 0 to 255.

  --v1 | --v2 | --both   the tags to change (default: both)
  --dry-run              print what would change, write nothing
)";

constexpr char kCopy[] = R"(Usage: kivuna-cli copy v1-to-v2|v2-to-v1 [--dry-run] FILE...

Copies the seven texts of one tag into the other tag of each file. A file that
does not hold the source tag is left alone and counts as failed.

  --dry-run   print what would change, write nothing
)";

constexpr char kSync[] = R"(Usage: kivuna-cli sync [--prefer 1|2] [--dry-run] PATH...

Merges the two tags of each file field by field and writes the result into
both: where only one tag holds a text, that text is kept; where both do, the
preferred tag wins. A file that lacks a tag is given it. A folder is searched,
with every folder below it, for files named *.mp3 (in any letter case), as the
organizer window does, without a limit on their number.

  --prefer 1|2   the tag whose text wins where both hold one (default: 2)
  --dry-run      print what would change, write nothing
)";

} // namespace

QString HelpText(const QString& command) {
    if (command == u"show")
        return QString::fromUtf8(kShow);
    if (command == u"set")
        return QString::fromUtf8(kSet);
    if (command == u"copy")
        return QString::fromUtf8(kCopy);
    if (command == u"sync")
        return QString::fromUtf8(kSync);
    return QString::fromUtf8(kOverview);
}

QString UsageHint() {
    return QStringLiteral("Run \"kivuna-cli --help\" for the commands and their options.");
}

} // namespace cli
