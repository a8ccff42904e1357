#include "app/viewer/list_view.h"

#include "app/viewer/accessibility.h"

namespace tolvinark {

namespace {

void drawInfoPane(ApplicationState& app) {
    PaneDrawing drawing(app.infoPane, app.drawing);
    drawInfoValues(drawing.canvas(), app.data.loadedFileName, app.data.recordCount,
                   app.data.serialNumber);
}

// Resets the scroll state for the loaded file and draws its first page.
void startListPane(ApplicationState& app) {
    const ListContent content = listContent(app.data);
    startList(app.scroll, content.recordCount, app.listPane.client.bottom);
    SetScrollRange(app.listPane.window, SB_VERT, 0, app.scroll.scrollMaximum, TRUE);
    SetScrollPos(app.listPane.window, SB_VERT, app.scroll.topRow, TRUE);
    PaneDrawing drawing(app.listPane, app.drawing);
    drawListRows(drawing.canvas(), app.scroll, content);
}

}  // namespace

ListContent listContent(const MeasurementData& data) {
    if (!data.index) return {};
    return {data.index.get(), data.recordCount};
}

void showLoadedFile(ApplicationState& app) {
    drawInfoPane(app);
    ShowWindow(app.infoPane.window, SW_SHOWNORMAL);
    startListPane(app);
    ShowWindow(app.headerPane.window, SW_SHOWNORMAL);
    ShowWindow(app.listPane.window, SW_SHOWNORMAL);
    accessibleFileChanged(app);
}

void showNoFile(ApplicationState& app) {
    startListPane(app);
    ShowWindow(app.infoPane.window, SW_HIDE);
    ShowWindow(app.headerPane.window, SW_HIDE);
    ShowWindow(app.listPane.window, SW_HIDE);
    accessibleFileChanged(app);
}

void redrawList(ApplicationState& app) {
    {
        PaneDrawing drawing(app.listPane, app.drawing);
        drawListRows(drawing.canvas(), app.scroll, listContent(app.data));
    }
    SetScrollPos(app.listPane.window, SB_VERT, app.scroll.topRow, TRUE);
}

}  // namespace tolvinark
