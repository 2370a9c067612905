// A GApplication for the close tests: it registers org.tidewell.TestApp on the session bus
// with a "quit" action, as GNOME programs do, prints "ready" once it is there and "asked"
// for each quit request; it quits on request unless started with --ask (a program that
// asks its user first).
#include <cstdio>
#include <cstring>
#include <gio/gio.h>

namespace {

bool ask = false;

void say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

void quit(GSimpleAction*, GVariant*, gpointer app) {
    say("asked");
    if (!ask)
        g_application_quit(G_APPLICATION(app));
}

void activate(GApplication* app, gpointer) {
    g_application_hold(app); // no window keeps it running: the test ends it
    say("ready");
}

} // namespace

int main(int argc, char** argv) {
    ask = argc > 1 && !std::strcmp(argv[1], "--ask");
    GApplication* app = g_application_new("org.tidewell.TestApp", G_APPLICATION_DEFAULT_FLAGS);
    const GActionEntry actions[] = {{"quit", quit, nullptr, nullptr, nullptr, {}}};
    g_action_map_add_action_entries(G_ACTION_MAP(app), actions, 1, app);
    g_signal_connect(app, "activate", G_CALLBACK(activate), nullptr);
    const int status = g_application_run(app, 1, argv);
    g_object_unref(app);
    return status;
}
