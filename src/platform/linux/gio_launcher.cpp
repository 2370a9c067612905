#include "platform/linux/gio_launcher.h"

#include "core/paths.h"
#include "platform/linux/detached_spawn.h"
#include "platform/linux/gio_library.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tw {

namespace {

struct GObjectUnref {
    void operator()(gpointer object) const { gio().g_object_unref(object); }
};
template <typename T> using GRef = std::unique_ptr<T, GObjectUnref>;

struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};

std::string takeMessage(GError* error) {
    const std::unique_ptr<GError, GErrorFree> owned(error);
    return owned ? owned->message : "unknown error";
}

// GIO, loaded for a launch: a library that cannot be loaded fails the launch like any other
// cause. Once loaded, gio() no longer throws.
void loadGioToOpen(const std::string& what) {
    try {
        gio();
    } catch (const std::runtime_error& error) {
        throw LaunchFailed("Cannot open " + what + ": " + error.what(), error.what());
    }
}

std::string dirName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == 0 ? "/" : path.substr(0, slash);
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
    gchar* ownPath = gio().g_desktop_app_info_get_string(app, "Path");
    const bool hasOwnPath = ownPath && *ownPath;
    g_free(ownPath);
    GList uris{const_cast<char*>(uri), nullptr, nullptr};
    GError* error = nullptr;
    const gboolean ok = gio().g_desktop_app_info_launch_uris_as_manager(
        app, uri ? &uris : nullptr, nullptr, G_SPAWN_SEARCH_PATH,
        hasOwnPath ? nullptr : enterDirectory,
        hasOwnPath ? nullptr : const_cast<char*>(directory.c_str()), nullptr, nullptr, &error);
    if (!ok) {
        const std::string message = takeMessage(error);
        throw LaunchFailed("Cannot open " + what + ": " + message, message);
    }
}

// The folders whose desktop entries the desktop itself offers: XDG_DATA_HOME's and each of
// XDG_DATA_DIRS' "applications".
std::vector<std::filesystem::path> applicationFolders() {
    std::vector<std::string> bases;
    const char* home = std::getenv("XDG_DATA_HOME");
    const char* user = std::getenv("HOME");
    if (home && *home)
        bases.push_back(home);
    else if (user && *user)
        bases.push_back(std::string(user) + "/.local/share");
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::string list = dirs && *dirs ? dirs : "/usr/local/share:/usr/share";
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        if (end > start)
            bases.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::filesystem::path> folders;
    for (const std::string& base : bases) {
        std::error_code ignored;
        const auto folder = std::filesystem::weakly_canonical(base + "/applications", ignored);
        if (!folder.empty())
            folders.push_back(folder);
    }
    return folders;
}

// The desktop's own rule: an entry runs its Exec line only when it is executable (the user
// marked it as a program) or lies in an applications folder; any other entry could be a
// download that runs anything.
bool isTrustedDesktopEntry(const std::string& path) {
    if (access(path.c_str(), X_OK) == 0)
        return true;
    std::error_code ignored;
    const std::filesystem::path real = std::filesystem::weakly_canonical(path, ignored);
    for (const std::filesystem::path& folder : applicationFolders()) {
        const auto [f, r] = std::mismatch(folder.begin(), folder.end(), real.begin(), real.end());
        if (f == folder.end())
            return true;
    }
    return false;
}

void openDesktopEntry(const std::string& path, const std::string& directory) {
    loadGioToOpen(path);
    if (!isTrustedDesktopEntry(path))
        throw LaunchFailed("Cannot open " + path + ": not a trusted desktop entry",
                           "untrusted desktop entry (not executable and not in an "
                           "applications folder)");
    GRef<GDesktopAppInfo> app(gio().g_desktop_app_info_new_from_filename(path.c_str()));
    if (!app)
        throw LaunchFailed("Cannot open " + path + ": not a valid desktop entry",
                           "not a valid desktop entry");
    launchDesktopApp(app.get(), nullptr, directory, path);
}

void openWithDefaultHandler(const std::string& path, const std::string& directory) {
    loadGioToOpen(path);
    GRef<GFile> file(gio().g_file_new_for_path(path.c_str()));
    GError* error = nullptr;
    GRef<GAppInfo> app(gio().g_file_query_default_handler(file.get(), nullptr, &error));
    if (!app)
        throw LaunchFailed("Cannot open " + path + ": " + takeMessage(error),
                           "no program is set to open this type of file");
    if (gio().g_type_check_instance_is_a(reinterpret_cast<GTypeInstance*>(app.get()),
                                         gio().g_desktop_app_info_get_type())) {
        gchar* uri = gio().g_file_get_uri(file.get());
        const std::unique_ptr<gchar, decltype(&g_free)> owned(uri, g_free);
        launchDesktopApp(reinterpret_cast<GDesktopAppInfo*>(app.get()), uri, directory, path);
        return;
    }
    GList files{file.get(), nullptr, nullptr};
    if (!gio().g_app_info_launch(app.get(), &files, nullptr, &error)) {
        const std::string message = takeMessage(error);
        throw LaunchFailed("Cannot open " + path + ": " + message, message);
    }
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
        throw LaunchFailed("Cannot open an empty file name", "no file named");
    // A relative name is looked up in the working directory, as the shell does.
    const std::string path = file.front() == '/' ? file : workingDirectory + "/" + file;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        const int error = errno;
        // No shell expands "~" for us, and users often expect one.
        const bool tilde = error == ENOENT && file.front() == '~';
        throw LaunchFailed("Cannot open " + file + ": " + std::strerror(error),
                           launchFailureReason(error) +
                               (tilde ? " (\"~\" is not expanded: give the full path)" : ""));
    }
    if (S_ISREG(info.st_mode) && path.ends_with(".desktop"))
        openDesktopEntry(path, workingDirectory);
    else if (S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0)
        spawnDetached(path, workingDirectory);
    else
        openWithDefaultHandler(path, workingDirectory);
}

void GioLauncher::openUrl(const std::string& url) {
    loadGioToOpen(url);
    GError* error = nullptr;
    if (!gio().g_app_info_launch_default_for_uri(url.c_str(), nullptr, &error))
        throw LaunchFailed("Cannot open " + url + ": " + takeMessage(error));
}

std::string GioLauncher::editorDirectory() const {
    return editorPath_.empty() ? std::string() : dirName(editorPath_);
}

std::string GioLauncher::editorFileName() const {
    return editorPath_.empty() ? std::string() : fileNameOf(editorPath_, "/");
}

} // namespace tw
