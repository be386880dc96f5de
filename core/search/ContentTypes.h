#pragma once
// Content types guessed from names only (no file data is read), their descriptions, and the
// categories the kind filter offers.

#include <string>
#include <string_view>

namespace qb {

inline constexpr const char* kGenericDataType = "public.data";
inline constexpr const char* kFolderType = "inode/directory";

enum class FileCategory : unsigned {
    image = 1u << 0,
    video = 1u << 1,
    audio = 1u << 2,
    pdf = 1u << 3,
    text = 1u << 4,
    archive = 1u << 5,
};

// The MIME type for a file name, or kGenericDataType when the name says nothing.
std::string contentTypeForName(std::string_view name);
// The type for an item of this file mode: folders, links, FIFOs, sockets and devices by what
// they are, regular files by their name.
std::string contentTypeForMode(unsigned mode, std::string_view name);
// The desktop's description of a type; empty when none is known.
std::string contentTypeDescription(const std::string& type);
// Whether the shared MIME database knows the identifier.
bool isKnownContentType(const std::string& type);
// Bit set of FileCategory values the type conforms to.
unsigned categoriesOf(const std::string& type);

} // namespace qb
