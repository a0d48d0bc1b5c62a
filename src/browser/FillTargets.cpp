#include "browser/FillTargets.h"

#include <QTabWidget>

namespace velmora::browser {

bool viewPageShowing(const QTabWidget* editPages)
{
    return editPages->tabText(editPages->currentIndex()) == QLatin1String("DirectX");
}

FillTargets fillTargets(bool pagesLinked, const QTabWidget* editPages)
{
    if (pagesLinked)
        return {true, true};
    const bool view = viewPageShowing(editPages);
    return {view, !view};
}

} // namespace velmora::browser
