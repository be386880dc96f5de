// Searches a folder by name with an ICU regular expression, on the same engine as the window.

#include "RenameMatches.h"
#include "search/PathText.h"
#include "search/SearchEngine.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stop_token>
#include <string>
#include <unistd.h>

namespace {

const char* kUsage = R"(Usage: quillbrook-find [options] PATTERN [FOLDER]

Lists the items below FOLDER (default: the current folder) whose name matches PATTERN, an ICU
regular expression, ignoring letter case unless asked otherwise. Paths are printed as their
exact bytes, one per line.

Options:
  --full-path       match against the whole path instead of the name
  --case-sensitive  letter case must match
  --hidden          include hidden items (names beginning with ".")
  --no-recursive    only the folder's direct children
  --json            one JSON object per hit: path, kind, size, modified, type, ranges;
                    then one per skipped item: {"skipped": PATH, "reason": REASON}
  -0                end each path with NUL instead of a line feed
  --quiet           no summary line on standard error
  --verbose         list the skipped items on standard error, one line each:
                    skipped "PATH": REASON (PATH written as in --json)
  --threads N       walk on N threads (1 to 64), with the same output in the same order;
                    by default as many as the cores it may run on, at most 4
  --item-budget MS  matching time per item before it counts as skipped (default 50); a
                    longer one lets runs on a busy machine be compared exactly
  --rename REPLACEMENT
                    print the new names the matches would get from the ICU replacement
                    ($1, ${name}, $0, \$), one "old → new" line each (with -0: NUL-separated
                    old and new paths), problems on standard error; renames nothing
  --apply           with --rename: carry the renames out, never replacing an item
  -h, --help        show this help

At most 20,000 hits are listed, each as soon as it is found. A summary (scanned, skipped,
limited, elapsed) goes to standard error. Skipped items are folders that could not be read,
names the pattern took too long on, and items that vanished during the search; --json and
--verbose list the first 1,000 of them after the hits, in the order met. A REASON is the
system's error text in English ("Permission denied"), "pattern took too long" or "vanished
during the search". Exit status: 0 when something matched, 1 when nothing did, 2 on an
error. With --rename: 0 when every item was (or can be) renamed, 1 when
no name would change, 2 on a problem with a new name (nothing is renamed) or a failure.
)";

// Writes path bytes as a JSON string: invalid UTF-8 bytes are escaped as \u00XX of the byte
// with a leading marker so that no two paths print the same.
void jsonString(std::string& out, std::string_view bytes) {
    out.push_back('"');
    std::string valid = qb::isValidUtf8(bytes) ? std::string() : qb::toValidUtf8(bytes);
    std::string_view text = valid.empty() ? bytes : std::string_view(valid);
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out.push_back(static_cast<char>(c));
            }
        }
    }
    out.push_back('"');
}

// A path that is not UTF-8 also gets its exact bytes, in hexadecimal.
void jsonPathBytes(std::string& out, std::string_view path) {
    if (qb::isValidUtf8(path))
        return;
    out += ",\"pathBytes\":\"";
    for (unsigned char c : path) {
        char buf[4];
        std::snprintf(buf, sizeof buf, "%02x", c);
        out += buf;
    }
    out += "\"";
}

void jsonHit(std::string& out, const qb::SearchHit& hit) {
    out += "{\"path\":";
    jsonString(out, hit.url);
    jsonPathBytes(out, hit.url);
    out += ",\"kind\":";
    jsonString(out, hit.isDirectory ? "folder" : "file");
    out += ",\"description\":";
    jsonString(out, hit.kind);
    out += ",\"size\":" + std::to_string(hit.byteCount);
    out += ",\"modified\":";
    if (hit.modified == qb::kDistantPast) {
        out += "null";
    } else {
        auto ns = hit.modified.time_since_epoch().count();
        char buf[48];
        std::snprintf(buf, sizeof buf, "%lld.%09lld", static_cast<long long>(ns / 1000000000),
                      static_cast<long long>(ns % 1000000000));
        out += buf;
    }
    out += ",\"contentType\":";
    jsonString(out, hit.contentTypeIdentifier);
    out += ",\"ranges\":[";
    for (size_t i = 0; i < hit.matchedNameRanges.size(); ++i) {
        if (i)
            out.push_back(',');
        out += "[" + std::to_string(hit.matchedNameRanges[i].location) + "," +
               std::to_string(hit.matchedNameRanges[i].length) + "]";
    }
    out += "]}\n";
}

void jsonSkipped(std::string& out, const qb::SkippedItem& item) {
    out += "{\"skipped\":";
    jsonString(out, item.path);
    jsonPathBytes(out, item.path);
    out += ",\"reason\":";
    jsonString(out, qb::reasonText(item));
    out += "}\n";
}

// Standard output, written as hits arrive: line by line to a terminal; to a pipe or file in
// blocks, flushed at each publish and after the first hit, so that a reader sees it at once.
class Output {
public:
    Output() : m_lineBuffered(::isatty(STDOUT_FILENO) == 1) {}

    std::string& buffer() { return m_buffer; }
    void hitAdded() {
        if (m_lineBuffered || !m_flushedHit || m_buffer.size() >= kBlock) {
            m_flushedHit = true;
            flush();
        }
    }
    void flush() {
        size_t done = 0;
        while (!m_failed && done < m_buffer.size()) {
            ssize_t n = ::write(STDOUT_FILENO, m_buffer.data() + done, m_buffer.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                m_failed = true;
                m_error = errno;
            } else {
                done += static_cast<size_t>(n);
            }
        }
        m_buffer.clear();
    }
    bool failed() const { return m_failed; }
    int error() const { return m_error; }

private:
    static constexpr size_t kBlock = 64 * 1024;
    std::string m_buffer;
    bool m_lineBuffered;
    bool m_flushedHit = false;
    bool m_failed = false;
    int m_error = 0;
};

} // namespace

int main(int argc, char** argv) {
    qb::SearchOptions options;
    options.recursive = true;
    qb::SearchEngine::RunTuning tuning;
    bool json = false, nul = false, quiet = false, verbose = false;
    std::vector<std::string> positional;
    bool optionsDone = false;
    std::optional<qbtool::RenameMatches> rename;
    bool apply = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (!optionsDone && a == "--") {
            optionsDone = true;
        } else if (!optionsDone && (a == "-h" || a == "--help")) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (!optionsDone && a == "--full-path") {
            options.fullPath = true;
        } else if (!optionsDone && a == "--case-sensitive") {
            options.caseSensitive = true;
        } else if (!optionsDone && a == "--hidden") {
            options.includeHidden = true;
        } else if (!optionsDone && a == "--no-recursive") {
            options.recursive = false;
        } else if (!optionsDone && a == "--json") {
            json = true;
        } else if (!optionsDone && a == "-0") {
            nul = true;
        } else if (!optionsDone && a == "--quiet") {
            quiet = true;
        } else if (!optionsDone && a == "--verbose") {
            verbose = true;
        } else if (!optionsDone && a == "--rename" && i + 1 < argc) {
            rename = qbtool::RenameMatches{argv[++i]};
        } else if (!optionsDone && a == "--apply") {
            apply = true;
        } else if (!optionsDone && a == "--threads") {
            const char* value = i + 1 < argc ? argv[++i] : "";
            char* end = nullptr;
            long n = std::strtol(value, &end, 10);
            if (!*value || *end || n < 1 || n > 64) {
                std::fprintf(stderr, "quillbrook-find: --threads needs a number from 1 to 64\n");
                return 2;
            }
            tuning.threads = static_cast<unsigned>(n);
        } else if (!optionsDone && a == "--item-budget") {
            const char* value = i + 1 < argc ? argv[++i] : "";
            char* end = nullptr;
            long ms = std::strtol(value, &end, 10);
            if (!*value || *end || ms < 1 || ms > 3600000) {
                std::fprintf(stderr, "quillbrook-find: --item-budget needs milliseconds\n");
                return 2;
            }
            tuning.itemBudget = std::chrono::milliseconds(ms);
        } else if (!optionsDone && a.size() > 1 && a[0] == '-') {
            std::fprintf(stderr, "quillbrook-find: unknown option %s\n%s", a.c_str(), kUsage);
            return 2;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.empty() || positional.size() > 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    options.pattern = positional[0];
    if (options.pattern.empty()) {
        std::fputs("quillbrook-find: the pattern is empty\n", stderr);
        return 2;
    }
    std::string folder = positional.size() > 1 ? positional[1] : ".";
    if (folder.empty() || folder[0] != '/') {
        char* cwd = ::getcwd(nullptr, 0);
        folder = qb::joinPath(cwd ? cwd : "/", folder);
        std::free(cwd);
    }
    options.folder = qb::standardisePath(folder);
    if (apply && !rename) {
        std::fputs("quillbrook-find: --apply goes with --rename\n", stderr);
        return 2;
    }
    if (rename) {
        rename->apply = apply;
        rename->nul = nul;
        rename->quiet = quiet;
        return qbtool::renameMatches(options, tuning, *rename);
    }

    auto started = std::chrono::steady_clock::now();
    Output out;
    size_t found = 0;
    qb::SearchUpdate last;
    std::stop_source stop;
    // Plain paths need nothing but the path; JSON prints the attributes but no sort key.
    tuning.attributes = json;
    tuning.nameKeys = false;
    tuning.keepHits = false; // printed as they come
    tuning.onHit = [&](const qb::SearchHit& hit) {
        ++found;
        if (json) {
            jsonHit(out.buffer(), hit);
        } else {
            out.buffer() += hit.url;
            out.buffer().push_back(nul ? '\0' : '\n');
        }
        out.hitAdded();
        if (out.failed())
            stop.request_stop(); // nobody reads the rest
    };
    auto publish = [&](const qb::SearchUpdate& update) {
        out.flush();
        last = update;
    };
    qb::SearchOutcome outcome = qb::SearchEngine::run(options, publish, stop.get_token(), tuning);
    if (json && outcome.status == qb::SearchOutcome::Status::finished)
        for (const qb::SkippedItem& item : last.skippedItems.items())
            jsonSkipped(out.buffer(), item);
    out.flush();
    double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (outcome.status == qb::SearchOutcome::Status::failed) {
        std::fprintf(stderr, "quillbrook-find: %s\n",
                     qb::SearchEngine::englishText(outcome.error).c_str());
        return 2;
    }
    if (out.failed()) {
        std::fprintf(stderr, "quillbrook-find: writing the results failed: %s\n",
                     std::strerror(out.error()));
        return 2;
    }
    if (verbose) {
        std::string lines;
        for (const qb::SkippedItem& item : last.skippedItems.items()) {
            lines += "skipped ";
            jsonString(lines, item.path);
            lines += ": " + qb::reasonText(item) + "\n";
        }
        std::fputs(lines.c_str(), stderr);
    }
    if (!quiet)
        std::fprintf(stderr, "scanned %lld, skipped %lld, limited %s, elapsed %.3f s\n",
                     static_cast<long long>(last.scanned), static_cast<long long>(last.skipped),
                     last.limited ? "yes" : "no", elapsed);
    return found == 0 ? 1 : 0;
}
