// Connects the controls of the main window to their handlers.
#include "app/form1.h"

namespace tw {

void Form1::connectHandlers() {
    storeListOnChange(ListView1);
    storeListOnChange(ListView2);
}

// Stores a list the moment its rows change, in the same form and under the same key as at
// the orderly exit, so that edits survive a kill, a crash or a lost session. Start-up's own
// loading is not stored back.
void Form1::storeListOnChange(QtListView* list) {
    list->setRowsChangedHandler([this, list] {
        if (!IsLoading)
            settings.SaveListItems(*list);
    });
}

} // namespace tw
