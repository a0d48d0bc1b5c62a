#pragma once

class QTabWidget;

namespace velmora::browser {

// Which of a level's two lists a refill writes. Linked pages keep both lists
// parallel; unlinked, only the list of the page showing is touched.
struct FillTargets {
    bool view = false;
    bool edit = false;
};

// The view page is the one captioned exactly "DirectX"; any other page counts
// as the edit page.
bool viewPageShowing(const QTabWidget* editPages);
FillTargets fillTargets(bool pagesLinked, const QTabWidget* editPages);

} // namespace velmora::browser
