#include "FakeNautilus.h"
#include "TempTree.h"

#include <fstream>
#include <gio/gio.h>
#include <gmodule.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

using namespace qbtest;

namespace {

struct Module {
    GModule* module = nullptr;
    GType provider = 0;
};

Module loadModule() {
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
}

std::string label(NautilusMenuItem* item) {
    gchar* text = nullptr;
    g_object_get(item, "label", &text, nullptr);
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

} // namespace

TEST(NautilusModule, OffersOneItemThatOpensTheLaunchUrlWithTheApplication) {
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

    const std::string docs = tree.dir("My Docs #1");
    const std::string file = tree.file("My Docs #1/notes.txt");
    NautilusFileInfo* fileInfo = fake_file_info_new(file.c_str(), FALSE);
    NautilusFileInfo* folderInfo = fake_file_info_new(docs.c_str(), TRUE);

    GList* one = g_list_append(nullptr, fileInfo);
    GList* items = nautilus_menu_provider_get_file_items(menu, one);
    ASSERT_EQ(g_list_length(items), 1u);
    EXPECT_EQ(label(NAUTILUS_MENU_ITEM(items->data)), "Quillbrook Search…");
    nautilus_menu_item_activate(NAUTILUS_MENU_ITEM(items->data));
    EXPECT_EQ(waitForFile(out),
              "quillbrook://search?folder=" + std::string(tree.root()) + "/My%20Docs%20%231");
    g_list_free_full(items, g_object_unref);

    ::unlink(out.c_str());
    GList* background = nautilus_menu_provider_get_background_items(menu, folderInfo);
    ASSERT_EQ(g_list_length(background), 1u);
    EXPECT_EQ(label(NAUTILUS_MENU_ITEM(background->data)), "Quillbrook Search…");
    nautilus_menu_item_activate(NAUTILUS_MENU_ITEM(background->data));
    EXPECT_EQ(waitForFile(out),
              "quillbrook://search?folder=" + std::string(tree.root()) + "/My%20Docs%20%231");
    g_list_free_full(background, g_object_unref);
    g_list_free(one);
    g_object_unref(fileInfo);
    g_object_unref(folderInfo);
    g_object_unref(provider);
}
