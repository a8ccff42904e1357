#include "app/viewer/accessible_contents.h"

#include <utility>
#include <vector>

#include "app/viewer/list_view.h"
#include "app/win32/gdi_text_measure.h"
#include "data/fixed_texts.h"
#include "views/detail_accessibility.h"
#include "views/detail_window.h"
#include "views/list_accessibility.h"
#include "views/pane_accessibility.h"

namespace tolvinark {
namespace {

class ListAccessible final : public AccessibleContent {
  public:
    explicit ListAccessible(ApplicationState& app) : app_(app) {}

    AccessibleRole role() const override { return AccessibleRole::List; }
    std::string name() const override { return spokenText(texts::kListAccessibleName); }
    std::int32_t childCount() const override { return listChildCount(content().recordCount); }
    std::optional<AccessibleElement> element(std::int32_t id) const override {
        const ListContent listed = content();
        const std::optional<std::uint32_t> record = recordOfChild(id, listed.recordCount);
        if (!record) return std::nullopt;
        // The scroll bar shows once a file has more records than rows, narrowing the rows.
        RECT client{};
        GetClientRect(app_.listPane.window, &client);
        return listItem(app_.scroll, listed, *record, client.right);
    }
    std::optional<std::int32_t> focus() const override {
        return highlightedChild(app_.scroll, content().recordCount);
    }
    std::int32_t childAt(int, int y) const override {
        const std::optional<std::uint32_t> record = recordAtClick(app_.scroll, y, content());
        return record ? childOfRecord(*record) : 0;
    }
    std::string defaultAction(std::int32_t) const override {
        return spokenText(texts::kOpenRecordAction);
    }
    // Posted, not done here: the caller waits for this answer, and opening a record may show a
    // message box with a loop of its own.
    bool doDefaultAction(std::int32_t id) override {
        const std::optional<std::uint32_t> record = recordOfChild(id, content().recordCount);
        return record && PostMessageW(app_.listPane.window, kOpenRecordRequest, *record,
                                      static_cast<LPARAM>(app_.accessible.opens));
    }

  private:
    ListContent content() const { return listContent(app_.data); }

    ApplicationState& app_;
};

// Static texts computed afresh at every call from what the pane shows.
class StaticTextsAccessible : public AccessibleContent {
  public:
    AccessibleRole role() const override { return AccessibleRole::Client; }
    std::int32_t childCount() const override { return static_cast<std::int32_t>(texts().size()); }
    std::optional<AccessibleElement> element(std::int32_t id) const override {
        std::vector<AccessibleElement> all = texts();
        if (id < 1 || static_cast<std::size_t>(id) > all.size()) return std::nullopt;
        return std::move(all[static_cast<std::size_t>(id) - 1]);
    }

  protected:
    virtual std::vector<AccessibleElement> texts() const = 0;
};

class InfoPaneAccessible final : public StaticTextsAccessible {
  public:
    explicit InfoPaneAccessible(const ApplicationState& app) : app_(app) {}

  private:
    std::vector<AccessibleElement> texts() const override {
        const GdiTextMeasure measure(app_.infoPane.window, app_.drawing.screenFont);
        std::optional<InfoPaneValues> values;
        if (app_.data.index) {
            values = InfoPaneValues{app_.data.loadedFileName, app_.data.recordCount,
                                    app_.data.serialNumber};
        }
        return infoPaneTexts(values, measure);
    }

    const ApplicationState& app_;
};

class HeaderPaneAccessible final : public StaticTextsAccessible {
  public:
    explicit HeaderPaneAccessible(const ApplicationState& app) : app_(app) {}

  private:
    std::vector<AccessibleElement> texts() const override {
        return headerPaneTexts(GdiTextMeasure(app_.headerPane.window, app_.drawing.screenFont));
    }

    const ApplicationState& app_;
};

// The graph of a timed measurement: one list item per point of the shown series.
class ChartAccessible final : public AccessibleContent {
  public:
    ChartAccessible(const FileRecord& record, Series series) : record_(record), series_(series) {}

    AccessibleRole role() const override { return AccessibleRole::Chart; }
    std::string name() const override { return seriesChart(series_).name; }
    std::int32_t childCount() const override {
        return static_cast<std::int32_t>(recordUsablePointCount(record_));
    }
    std::optional<AccessibleElement> element(std::int32_t id) const override {
        if (id < 1 || id > childCount()) return std::nullopt;
        return chartPoint(record_, series_, static_cast<std::size_t>(id) - 1);
    }
    std::optional<ClientRect> place() const override { return seriesChart(series_).place; }

  private:
    FileRecord record_;
    Series series_;
};

// The texts as the window was built, measured once; then the graph, then the buttons.
class DetailAccessible final : public AccessibleContent {
  public:
    explicit DetailAccessible(const ApplicationState& app)
        : lines_(detailWindowTexts(app.data.currentRecord, app.detail.shownMode,
                                   GdiTextMeasure(app.detail.window, app.drawing.screenFont))) {
        if (modeHasSeries(app.detail.shownMode)) {
            chart_ = std::make_shared<ChartAccessible>(app.data.currentRecord, app.seriesSelector);
        }
        for (HWND button : {app.detail.excelButton, app.detail.seriesToggleButton}) {
            if (button) buttons_.push_back(button);
        }
    }

    AccessibleRole role() const override { return AccessibleRole::Client; }
    std::int32_t childCount() const override {
        return static_cast<std::int32_t>(lines_.size() + (chart_ ? 1 : 0) + buttons_.size());
    }
    std::optional<AccessibleElement> element(std::int32_t id) const override {
        if (id < 1 || static_cast<std::size_t>(id) > lines_.size()) return std::nullopt;
        return lines_[static_cast<std::size_t>(id) - 1];
    }
    std::shared_ptr<AccessibleContent> objectChild(std::int32_t id) const override {
        return chart_ && id == chartId() ? chart_ : nullptr;
    }
    HWND windowChild(std::int32_t id) const override {
        const std::int32_t first = chartId() + (chart_ ? 1 : 0);
        if (id < first || id >= first + static_cast<std::int32_t>(buttons_.size())) return nullptr;
        return buttons_[static_cast<std::size_t>(id - first)];
    }
    std::int32_t childAt(int x, int y) const override {
        if (const std::int32_t line = AccessibleContent::childAt(x, y)) return line;
        const ClientRect graph = *seriesChart(Series::Ci).place;
        const bool onGraph =
            x >= graph.left && x < graph.right && y >= graph.top && y < graph.bottom;
        return chart_ && onGraph ? chartId() : 0;
    }

  private:
    std::int32_t chartId() const { return static_cast<std::int32_t>(lines_.size()) + 1; }

    std::vector<AccessibleElement> lines_;
    std::shared_ptr<ChartAccessible> chart_;  // only a timed measurement's
    std::vector<HWND> buttons_;
};

}  // namespace

std::shared_ptr<AccessibleContent> makeListAccessible(ApplicationState& app) {
    return std::make_shared<ListAccessible>(app);
}

std::shared_ptr<AccessibleContent> makeInfoPaneAccessible(const ApplicationState& app) {
    return std::make_shared<InfoPaneAccessible>(app);
}

std::shared_ptr<AccessibleContent> makeHeaderPaneAccessible(const ApplicationState& app) {
    return std::make_shared<HeaderPaneAccessible>(app);
}

std::shared_ptr<AccessibleContent> makeDetailAccessible(const ApplicationState& app) {
    return std::make_shared<DetailAccessible>(app);
}

}  // namespace tolvinark
