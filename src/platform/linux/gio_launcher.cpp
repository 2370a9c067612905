#include "platform/linux/gio_launcher.h"

#include "platform/linux/detached_spawn.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

namespace {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T> using GRef = std::unique_ptr<T, GObjectUnref>;

struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};

std::string takeMessage(GError* error) {
    const std::unique_ptr<GError, GErrorFree> owned(error);
    return owned ? owned->message : "unknown error";
}

std::string dirName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseName(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

// Runs in the launched program's child process, before exec.
void enterDirectory(gpointer directory) {
    if (chdir(static_cast<const char*>(directory)) != 0)
        _exit(127);
}

// Launches a desktop application (with the file's URI, or with none) in `directory`, or in
// the entry's own Path= folder when it names one.
void launchDesktopApp(GDesktopAppInfo* app, const char* uri, const std::string& directory,
                      const std::string& what) {
    gchar* ownPath = g_desktop_app_info_get_string(app, "Path");
    const bool hasOwnPath = ownPath && *ownPath;
    g_free(ownPath);
    GList uris{const_cast<char*>(uri), nullptr, nullptr};
    GError* error = nullptr;
    const gboolean ok = g_desktop_app_info_launch_uris_as_manager(
        app, uri ? &uris : nullptr, nullptr, G_SPAWN_SEARCH_PATH,
        hasOwnPath ? nullptr : enterDirectory,
        hasOwnPath ? nullptr : const_cast<char*>(directory.c_str()), nullptr, nullptr, &error);
    if (!ok)
        throw LaunchFailed("Cannot open " + what + ": " + takeMessage(error));
}

void openDesktopEntry(const std::string& path, const std::string& directory) {
    GRef<GDesktopAppInfo> app(g_desktop_app_info_new_from_filename(path.c_str()));
    if (!app)
        throw LaunchFailed("Cannot open " + path + ": not a valid desktop entry");
    launchDesktopApp(app.get(), nullptr, directory, path);
}

void openWithDefaultHandler(const std::string& path, const std::string& directory) {
    GRef<GFile> file(g_file_new_for_path(path.c_str()));
    GError* error = nullptr;
    GRef<GAppInfo> app(g_file_query_default_handler(file.get(), nullptr, &error));
    if (!app)
        throw LaunchFailed("Cannot open " + path + ": " + takeMessage(error));
    if (G_IS_DESKTOP_APP_INFO(app.get())) {
        gchar* uri = g_file_get_uri(file.get());
        const std::unique_ptr<gchar, decltype(&g_free)> owned(uri, g_free);
        launchDesktopApp(G_DESKTOP_APP_INFO(app.get()), uri, directory, path);
        return;
    }
    GList files{file.get(), nullptr, nullptr};
    if (!g_app_info_launch(app.get(), &files, nullptr, &error))
        throw LaunchFailed("Cannot open " + path + ": " + takeMessage(error));
}

std::string findEditor() {
    for (const char* name : kTextEditors) {
        gchar* found = g_find_program_in_path(name);
        if (!found)
            continue;
        char real[PATH_MAX];
        const bool resolved = realpath(found, real) != nullptr;
        g_free(found);
        // The real file, so that its folder and name are what the process list shows.
        if (resolved)
            return real;
    }
    return {};
}

} // namespace

GioLauncher::GioLauncher() : editorPath_(findEditor()) {}

void GioLauncher::openFile(const std::string& file, const std::string& workingDirectory) {
    if (file.empty())
        throw LaunchFailed("Cannot open an empty file name");
    // A relative name is looked up in the working directory, as the shell does.
    const std::string path = file.front() == '/' ? file : workingDirectory + "/" + file;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        throw LaunchFailed("Cannot open " + file + ": " + std::strerror(errno));
    if (S_ISREG(info.st_mode) && path.ends_with(".desktop"))
        openDesktopEntry(path, workingDirectory);
    else if (S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0)
        spawnDetached(path, workingDirectory);
    else
        openWithDefaultHandler(path, workingDirectory);
}

void GioLauncher::openUrl(const std::string& url) {
    GError* error = nullptr;
    if (!g_app_info_launch_default_for_uri(url.c_str(), nullptr, &error))
        throw LaunchFailed("Cannot open " + url + ": " + takeMessage(error));
}

std::string GioLauncher::editorDirectory() const {
    return editorPath_.empty() ? std::string() : dirName(editorPath_);
}

std::string GioLauncher::editorFileName() const {
    return editorPath_.empty() ? std::string() : baseName(editorPath_);
}

} // namespace tw
