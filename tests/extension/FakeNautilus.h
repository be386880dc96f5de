/* A stand-in for what Nautilus gives its modules: a type module to register types in and file
 * information objects for paths. */
#pragma once

#include <nautilus-extension.h>

G_BEGIN_DECLS

GTypeModule* fake_type_module_new(void);
NautilusFileInfo* fake_file_info_new(const char* path, gboolean is_directory);

G_END_DECLS
