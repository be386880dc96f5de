#include "FakeNautilus.h"

/* A type module whose load and unload always succeed: the module is already loaded. */
typedef struct {
    GTypeModule parent;
} FakeTypeModule;
typedef struct {
    GTypeModuleClass parent_class;
} FakeTypeModuleClass;

static gboolean fake_load(GTypeModule* module) {
    (void)module;
    return TRUE;
}
static void fake_unload(GTypeModule* module) {
    (void)module;
}
G_DEFINE_TYPE(FakeTypeModule, fake_type_module, G_TYPE_TYPE_MODULE)
static void fake_type_module_class_init(FakeTypeModuleClass* klass) {
    GTypeModuleClass* module_class = G_TYPE_MODULE_CLASS(klass);
    module_class->load = fake_load;
    module_class->unload = fake_unload;
}
static void fake_type_module_init(FakeTypeModule* self) {
    (void)self;
}

GTypeModule* fake_type_module_new(void) {
    GTypeModule* module = g_object_new(fake_type_module_get_type(), NULL);
    g_type_module_use(module);
    return module;
}

/* File information for a local path. */
typedef struct {
    GObject parent;
    char* path;
    gboolean is_directory;
} FakeFileInfo;
typedef struct {
    GObjectClass parent_class;
} FakeFileInfoClass;

static void fake_file_info_iface_init(NautilusFileInfoInterface* iface);
G_DEFINE_TYPE_WITH_CODE(FakeFileInfo, fake_file_info, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(NAUTILUS_TYPE_FILE_INFO, fake_file_info_iface_init))

static GFile* get_location(NautilusFileInfo* info) {
    return g_file_new_for_path(((FakeFileInfo*)info)->path);
}
static char* get_uri(NautilusFileInfo* info) {
    return g_filename_to_uri(((FakeFileInfo*)info)->path, NULL, NULL);
}
static gboolean is_directory(NautilusFileInfo* info) {
    return ((FakeFileInfo*)info)->is_directory;
}
static GFileType get_file_type(NautilusFileInfo* info) {
    return ((FakeFileInfo*)info)->is_directory ? G_FILE_TYPE_DIRECTORY : G_FILE_TYPE_REGULAR;
}
static char* get_uri_scheme(NautilusFileInfo* info) {
    (void)info;
    return g_strdup("file");
}
static void fake_file_info_iface_init(NautilusFileInfoInterface* iface) {
    iface->get_location = get_location;
    iface->get_uri = get_uri;
    iface->is_directory = is_directory;
    iface->get_file_type = get_file_type;
    iface->get_uri_scheme = get_uri_scheme;
}
static void fake_file_info_finalize(GObject* object) {
    g_free(((FakeFileInfo*)object)->path);
    G_OBJECT_CLASS(fake_file_info_parent_class)->finalize(object);
}
static void fake_file_info_class_init(FakeFileInfoClass* klass) {
    G_OBJECT_CLASS(klass)->finalize = fake_file_info_finalize;
}
static void fake_file_info_init(FakeFileInfo* self) {
    (void)self;
}

NautilusFileInfo* fake_file_info_new(const char* path, gboolean is_dir) {
    FakeFileInfo* info = g_object_new(fake_file_info_get_type(), NULL);
    info->path = g_strdup(path);
    info->is_directory = is_dir;
    return NAUTILUS_FILE_INFO(info);
}
