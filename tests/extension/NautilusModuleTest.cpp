#include "FakeNautilus.h"
#include "TempTree.h"

#include <fstream>
#include <gio/gio.h>
#include <gmodule.h>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <thread>

using namespace qbtest;

namespace {

struct Module {
    GModule* module = nullptr;
    GType provider = 0;
};

// Loaded once per process, as Nautilus does: its types are registered once.
Module loadModule() {
    static const Module loaded = [] {
        Module m;
        m.module = g_module_open(QB_NAUTILUS_MODULE, G_MODULE_BIND_LOCAL);
        if (!m.module)
            return m;
        void (*initialize)(GTypeModule*) = nullptr;
        void (*listTypes)(const GType**, int*) = nullptr;
        g_module_symbol(m.module, "nautilus_module_initialize",
                        reinterpret_cast<gpointer*>(&initialize));
        g_module_symbol(m.module, "nautilus_module_list_types",
                        reinterpret_cast<gpointer*>(&listTypes));
        if (!initialize || !listTypes)
            return m;
        initialize(fake_type_module_new());
        const GType* types = nullptr;
        int count = 0;
        listTypes(&types, &count);
        if (count == 1)
            m.provider = types[0];
        return m;
    }();
    return loaded;
}

// A string property of a menu item ("name", "label").
std::string property(NautilusMenuItem* item, const char* key) {
    gchar* text = nullptr;
    g_object_get(item, key, &text, nullptr);
    std::string out = text ? text : "";
    g_free(text);
    return out;
}

std::string waitForFile(const std::string& path) {
    for (int i = 0; i < 200; ++i) {
        std::ifstream in(path);
        std::string text((std::istreambuf_iterator<char>(in)), {});
        if (!text.empty())
            return text;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return {};
}

std::string name(NautilusMenuItem* item) {
    return property(item, "name");
}

std::string opened(NautilusMenuItem* item, const std::string& out) {
    ::unlink(out.c_str());
    nautilus_menu_item_activate(item);
    return waitForFile(out);
}

} // namespace

// A right-click on a selected folder: Nautilus asks for the selection's menu and the
// background's, and keeps one action per item name for the window, the later replacing the
// earlier. Each item must survive that and hand over its own folder.
TEST(NautilusModule, SelectionAndBackgroundItemsEachHandOverTheirOwnFolder) {
    TempTree tree;
    // The application, as the desktop knows it: here a script that writes down its URL.
    const std::string out = tree.path("opened");
    const std::string script =
        tree.file("fake-quillbrook", "#!/bin/sh\nprintf '%s' \"$1\" > '" + out + "'\n");
    ::chmod(script.c_str(), 0755);
    tree.file("share/applications/com.local.tarnwick.desktop",
              "[Desktop Entry]\nType=Application\nName=Quillbrook\nExec=" + script + " %u\n");
    ::setenv("XDG_DATA_DIRS", tree.path("share").c_str(), 1);
    ::setenv("XDG_DATA_HOME", tree.path("home").c_str(), 1);

    Module m = loadModule();
    ASSERT_TRUE(m.module) << g_module_error();
    ASSERT_NE(m.provider, 0u);
    GObject* provider = static_cast<GObject*>(g_object_new(m.provider, nullptr));
    auto* menu = NAUTILUS_MENU_PROVIDER(provider);

    const std::string shown = tree.dir("Alpha Folder");
    const std::string selected = tree.dir("Alpha Folder/Beta & Co #1");
    const std::string file = tree.file("Alpha Folder/notes.txt");
    NautilusFileInfo* shownInfo = fake_file_info_new(shown.c_str(), TRUE);
    NautilusFileInfo* selectedInfo = fake_file_info_new(selected.c_str(), TRUE);
    NautilusFileInfo* fileInfo = fake_file_info_new(file.c_str(), FALSE);
    const std::string url = "quillbrook://search?folder=" + tree.root();

    struct Case {
        const char* what;
        NautilusFileInfo* selection;
        std::string folder;
    } cases[] = {
        {"one selected folder", selectedInfo, url + "/Alpha%20Folder/Beta%20%26%20Co%20%231"},
        {"one selected file", fileInfo, url + "/Alpha%20Folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GList* selection = g_list_append(nullptr, c.selection);
        GList* items = nautilus_menu_provider_get_file_items(menu, selection);
        GList* background = nautilus_menu_provider_get_background_items(menu, shownInfo);
        ASSERT_EQ(g_list_length(items), 1u);
        ASSERT_EQ(g_list_length(background), 1u);
        auto* selectionItem = NAUTILUS_MENU_ITEM(items->data);
        auto* backgroundItem = NAUTILUS_MENU_ITEM(background->data);
        EXPECT_EQ(property(selectionItem, "label"), "Quillbrook Search…");
        EXPECT_EQ(property(backgroundItem, "label"), "Quillbrook Search…");

        std::map<std::string, NautilusMenuItem*> window;
        window[name(selectionItem)] = selectionItem;
        window[name(backgroundItem)] = backgroundItem;
        ASSERT_EQ(window.size(), 2u) << "both items are named " << name(selectionItem);
        EXPECT_EQ(opened(window[name(selectionItem)], out), c.folder);
        EXPECT_EQ(opened(window[name(backgroundItem)], out), url + "/Alpha%20Folder");

        g_list_free_full(items, g_object_unref);
        g_list_free_full(background, g_object_unref);
        g_list_free(selection);
    }
    g_object_unref(fileInfo);
    g_object_unref(selectedInfo);
    g_object_unref(shownInfo);
    g_object_unref(provider);
}

// The item speaks the desktop's language, first choice first, and English where it has none.
TEST(NautilusModule, ItemSpeaksTheUsersLanguage) {
    Module m = loadModule();
    ASSERT_TRUE(m.module) << g_module_error();
    GObject* provider = static_cast<GObject*>(g_object_new(m.provider, nullptr));
    TempTree tree;
    NautilusFileInfo* shown = fake_file_info_new(tree.root().c_str(), TRUE);
    struct Case {
        const char* language;
        const char* label;
        const char* tip;
    } cases[] = {
        {"de_AT:fr", "Mit Quillbrook suchen…",
         "Dateinamen mit einem regulären Ausdruck durchsuchen"},
        {"pt_BR:fr", "Rechercher avec Quillbrook…",
         "Rechercher dans les noms de fichiers avec une expression régulière"},
        {"en_GB:de", "Quillbrook Search…", "Search filenames with a regular expression"},
        {"pt_BR", "Quillbrook Search…", "Search filenames with a regular expression"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        ::setenv("LANGUAGE", c.language, 1);
        GList* items =
            nautilus_menu_provider_get_background_items(NAUTILUS_MENU_PROVIDER(provider), shown);
        ASSERT_EQ(g_list_length(items), 1u);
        EXPECT_EQ(property(NAUTILUS_MENU_ITEM(items->data), "label"), c.label);
        EXPECT_EQ(property(NAUTILUS_MENU_ITEM(items->data), "tip"), c.tip);
        g_list_free_full(items, g_object_unref);
    }
    ::unsetenv("LANGUAGE");
    g_object_unref(shown);
    g_object_unref(provider);
}
