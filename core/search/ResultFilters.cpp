#include "ResultFilters.h"

#include "ContentTypes.h"

#include <ctime>

namespace qb {

std::string_view label(FileKindFilter f) {
    switch (f) {
    case FileKindFilter::any:
        return "Any Kind";
    case FileKindFilter::files:
        return "Files";
    case FileKindFilter::folders:
        return "Folders";
    case FileKindFilter::images:
        return "Images";
    case FileKindFilter::video:
        return "Video";
    case FileKindFilter::audio:
        return "Audio";
    case FileKindFilter::pdf:
        return "PDF";
    case FileKindFilter::text:
        return "Text";
    case FileKindFilter::archives:
        return "Archives";
    }
    return {};
}

std::string_view label(FileSizeFilter f) {
    switch (f) {
    case FileSizeFilter::any:
        return "Any Size";
    case FileSizeFilter::small:
        return "Under 1 MB";
    case FileSizeFilter::medium:
        return "1\u2013100 MB";
    case FileSizeFilter::large:
        return "Over 100 MB";
    }
    return {};
}

std::string_view label(ModifiedFilter f) {
    switch (f) {
    case ModifiedFilter::any:
        return "Any Date";
    case ModifiedFilter::today:
        return "Today";
    case ModifiedFilter::week:
        return "Last 7 Days";
    case ModifiedFilter::month:
        return "Last 30 Days";
    }
    return {};
}

Timestamp startOfDay(Timestamp t) {
    time_t secs = std::chrono::duration_cast<std::chrono::seconds>(t.time_since_epoch()).count();
    // Filtering asks once per hit with nearly the same time; mktime is too slow for that.
    thread_local time_t lastSecs = 0;
    thread_local Timestamp lastStart{};
    if (secs == lastSecs && lastStart != Timestamp{})
        return lastStart;
    struct tm local {};
    localtime_r(&secs, &local);
    local.tm_hour = 0;
    local.tm_min = 0;
    local.tm_sec = 0;
    local.tm_isdst = -1; // let the zone decide, so a DST change on that day is honoured
    lastSecs = secs;
    lastStart = Timestamp(std::chrono::seconds(mktime(&local)));
    return lastStart;
}

std::string resolvedContentType(const SearchHit& hit) {
    if (hit.contentTypeIdentifier != kGenericDataType &&
        isKnownContentType(hit.contentTypeIdentifier))
        return hit.contentTypeIdentifier;
    std::string_view name = hit.name();
    auto dot = name.rfind('.');
    if (dot != std::string_view::npos && dot > 0)
        return contentTypeForName(name);
    return kGenericDataType;
}

namespace {

bool kindPasses(FileKindFilter kind, const SearchHit& hit) {
    FileCategory wanted;
    switch (kind) {
    case FileKindFilter::any:
        return true;
    case FileKindFilter::files:
        return !hit.isDirectory;
    case FileKindFilter::folders:
        return hit.isDirectory;
    case FileKindFilter::images:
        wanted = FileCategory::image;
        break;
    case FileKindFilter::video:
        wanted = FileCategory::video;
        break;
    case FileKindFilter::audio:
        wanted = FileCategory::audio;
        break;
    case FileKindFilter::pdf:
        wanted = FileCategory::pdf;
        break;
    case FileKindFilter::text:
        wanted = FileCategory::text;
        break;
    case FileKindFilter::archives:
        wanted = FileCategory::archive;
        break;
    default:
        return false;
    }
    if (hit.isDirectory)
        return false;
    return (categoriesOf(resolvedContentType(hit)) & unsigned(wanted)) != 0;
}

bool sizePasses(FileSizeFilter size, const SearchHit& hit) {
    if (size == FileSizeFilter::any)
        return true;
    if (hit.isDirectory)
        return false;
    switch (size) {
    case FileSizeFilter::small:
        return hit.byteCount <= 999'999;
    case FileSizeFilter::medium:
        return hit.byteCount >= 1'000'000 && hit.byteCount <= 100'000'000;
    case FileSizeFilter::large:
        return hit.byteCount >= 100'000'001;
    default:
        return true;
    }
}

bool datePasses(ModifiedFilter modified, const SearchHit& hit, Timestamp now) {
    using std::chrono::seconds;
    switch (modified) {
    case ModifiedFilter::any:
        return true;
    case ModifiedFilter::today:
        return hit.modified >= startOfDay(now);
    case ModifiedFilter::week:
        return hit.modified >= now - seconds(604'800);
    case ModifiedFilter::month:
        return hit.modified >= now - seconds(2'592'000);
    }
    return true;
}

} // namespace

bool ResultFilters::matches(const SearchHit& hit, Timestamp now) const {
    return kindPasses(kind, hit) && sizePasses(size, hit) && datePasses(modified, hit, now);
}

} // namespace qb
