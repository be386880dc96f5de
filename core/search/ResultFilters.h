#pragma once
// The kind, size and date filters that narrow the displayed results.

#include "SearchRecords.h"

#include <array>
#include <string_view>

namespace qb {

enum class FileKindFilter { any, files, folders, images, video, audio, pdf, text, archives };
enum class FileSizeFilter { any, small, medium, large };
enum class ModifiedFilter { any, today, week, month };

inline constexpr std::array kAllKindFilters{
    FileKindFilter::any,    FileKindFilter::files, FileKindFilter::folders,
    FileKindFilter::images, FileKindFilter::video, FileKindFilter::audio,
    FileKindFilter::pdf,    FileKindFilter::text,  FileKindFilter::archives};
inline constexpr std::array kAllSizeFilters{FileSizeFilter::any, FileSizeFilter::small,
                                            FileSizeFilter::medium, FileSizeFilter::large};
inline constexpr std::array kAllModifiedFilters{ModifiedFilter::any, ModifiedFilter::today,
                                                ModifiedFilter::week, ModifiedFilter::month};

// Labels are the raw values: shown in the pickers and used as identities.
std::string_view label(FileKindFilter f);
std::string_view label(FileSizeFilter f);
std::string_view label(ModifiedFilter f);

// The local start of the calendar day containing t.
Timestamp startOfDay(Timestamp t);

struct ResultFilters {
    FileKindFilter kind = FileKindFilter::any;
    FileSizeFilter size = FileSizeFilter::any;
    ModifiedFilter modified = ModifiedFilter::any;

    bool active() const {
        return kind != FileKindFilter::any || size != FileSizeFilter::any ||
               modified != ModifiedFilter::any;
    }
    bool matches(const SearchHit& hit, Timestamp now) const;
    bool operator==(const ResultFilters&) const = default;
};

// The content type a filter tests: the hit's own when the type database knows it, else the
// type its name suggests, else the generic data type.
std::string resolvedContentType(const SearchHit& hit);

} // namespace qb
