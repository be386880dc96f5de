/* The hand-over from a file manager to Quillbrook: which folder to search, and the launch URL
 * that carries it, built and read. Plain C on GLib (and the percent-encoding the trash shares),
 * so the file manager's module links nothing of the application's, and the application uses
 * the very same rules. */
#pragma once

#include <glib.h>

G_BEGIN_DECLS

/* Whether a path names a folder (following links, as the file manager shows them). */
typedef gboolean (*QbIsFolder)(const char* path, gpointer data);
gboolean qb_handover_is_folder(const char* path, gpointer data);

/* The folder to search: the single selected item, or the targeted folder (the one the window
 * shows) for no selection or several items; an item that is not a folder gives the folder
 * that contains it. Paths are bytes; NULL when there is nothing to go on. Free with g_free. */
char* qb_handover_choose_folder(const char* targeted, const char* const* selected, gsize count,
                                QbIsFolder is_folder, gpointer data);

/* "quillbrook://search?folder=..." with every byte of the path outside the URL's unreserved
 * characters and "/" percent-encoded, so "&", "=", "+", "#", "%", spaces and names that are
 * not UTF-8 survive; no trailing "/" except for the root. Without a folder, the bare URL. */
char* qb_handover_launch_url(const char* folder);

/* Reads a launch URL, which any web page can open: TRUE when it is the program's (scheme
 * "quillbrook" or "tarnwick", exactly; host "search"; at most 1 MiB). *folder then gets the
 * decoded value of the first "folder" query item when that is an absolute path, else NULL:
 * "+" stays a plus sign, and a malformed escape or a NUL drops the value. Other query items
 * and a fragment are ignored. Free *folder with g_free. */
gboolean qb_handover_read_launch_url(const char* url, gsize length, char** folder);

/* The menu item's title. */
#define QB_HANDOVER_TITLE "Quillbrook Search…"
#define QB_HANDOVER_APPLICATION "com.local.tarnwick.desktop"

G_END_DECLS
