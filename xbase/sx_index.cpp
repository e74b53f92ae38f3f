// The sx_* calls for index tags, orders, seeks and scopes, over the structural
// compound index of the current work area.
#include "xbase/cdx/cdx_index.h"
#include "xbase/sx.h"
#include "xbase/sx_facade.h"

#include <utility>

namespace {

using xb::Engine;
using xb::WorkArea;
using xb::cdx::CdxIndex;

CdxIndex* indexOf(WorkArea& a)
{
    return dynamic_cast<CdxIndex*>(a.index());
}

// The current area's index, or nullptr after recording why.
CdxIndex* currentIndex(WorkArea*& area)
{
    area = xb::currentArea();
    if (!area)
        return nullptr;
    CdxIndex* index = indexOf(*area);
    if (!index || !index->usable()) {
        Engine::instance().fail(index && !index->problem().empty() ? index->problem()
                                                                   : area->table().path() + " has no index tags");
        return nullptr;
    }
    return index;
}

bool failed(const std::string& message)
{
    return Engine::instance().fail(message);
}

// The index that new tags go to, created with its file (and the table's flag) when
// the table has none yet.
CdxIndex* indexForNewTag(WorkArea& a)
{
    if (CdxIndex* index = indexOf(a))
        return index;
    std::string error;
    auto fresh = CdxIndex::create(a.table(), xb::cdx::indexPathFor(a.table().path()), error);
    if (!fresh || !a.table().setStructuralIndexFlag(true, error)) {
        failed(error);
        return nullptr;
    }
    a.setIndex(std::move(fresh));
    return indexOf(a);
}

} // namespace

int sx_IndexTag(const char* file, const char* tag, const char* keyExpr, int option, bool descending,
                const char* condition)
{
    if (option != 0 || descending)
        return failed("tags are ascending and without options");
    const sx_TagSpec spec{tag, keyExpr, condition};
    return sx_IndexTags(file, &spec, 1);
}

int sx_IndexTags(const char* file, const sx_TagSpec* tags, int count)
{
    WorkArea* a = xb::currentArea();
    if (!a || count < 1)
        return a ? failed("no tags to add") : 0;
    std::vector<CdxIndex::NewTag> wanted;
    for (int i = 0; i < count; ++i) {
        const sx_TagSpec& t = tags[i];
        if (!xb::checkText(t.tag, "tag name") || !xb::checkText(t.keyExpr, "key expression"))
            return 0;
        if (t.condition && !xb::checkText(t.condition, "condition"))
            return 0;
        wanted.push_back({t.tag, t.keyExpr, t.condition ? t.condition : ""});
    }
    if (file && *file && xb::cdx::indexPathFor(a->table().path()) != file)
        return failed(std::string("only the structural index can hold tags, not ") + file);
    if (a->table().mode() == xb::OpenMode::ReadOnly)
        return failed(a->table().path() + " is open read-only");
    if (!a->flush())
        return xb::areaFailed(*a);
    CdxIndex* index = indexForNewTag(*a);
    if (!index)
        return 0;
    std::string error;
    const int order = index->addTags(wanted, Engine::instance().gauge, error);
    if (!order)
        return failed(error);
    if (!a->setOrder(order))
        return xb::areaFailed(*a);
    return order;
}

int sx_TagArea(const char* tag)
{
    WorkArea* a = xb::currentArea();
    if (!a || !xb::checkText(tag, "tag name"))
        return 0;
    CdxIndex* index = indexOf(*a);
    return index ? index->find(tag) : 0;
}

std::string sx_TagName(int order)
{
    WorkArea* a = xb::currentArea();
    return a && a->index() ? a->index()->orderName(order) : std::string();
}

int sx_IndexOrd()
{
    WorkArea* a = xb::currentArea();
    return a ? a->orderNumber() : 0;
}

int sx_SetOrder(int order)
{
    WorkArea* a = xb::currentArea();
    if (!a)
        return 0;
    const int previous = a->orderNumber();
    const int count = a->index() ? a->index()->orderCount() : 0;
    if (order >= 0 && order <= count && !a->setOrder(order))
        xb::areaFailed(*a);
    return previous;
}

std::string sx_IndexName(int order)
{
    WorkArea* a = xb::currentArea();
    if (!a || !a->index() || order < 1 || order > a->index()->orderCount())
        return {};
    return a->index()->path();
}

int sx_IndexOpen(const char* file)
{
    WorkArea* a = xb::currentArea();
    if (!a || !xb::checkText(file, "index file name"))
        return 0;
    const std::string path = *file ? file : xb::cdx::indexPathFor(a->table().path());
    auto index = CdxIndex::open(a->table(), path);
    if (!index->usable())
        return failed(index->problem());
    const int order = index->orderCount() > 0 ? 1 : 0;
    a->setIndex(std::move(index));
    if (!a->setOrder(order))
        return xb::areaFailed(*a);
    return order;
}

void sx_CloseIndexes()
{
    if (WorkArea* a = xb::currentArea())
        a->setIndex(nullptr);
}

bool sx_Reindex()
{
    WorkArea* a = nullptr;
    CdxIndex* index = currentIndex(a);
    if (!index)
        return false;
    if (!a->flush())
        return xb::areaFailed(*a);
    std::string error;
    return index->rebuild(Engine::instance().gauge, error) || failed(error);
}

long sx_ForeignCaseKeys()
{
    WorkArea* a = nullptr;
    CdxIndex* index = currentIndex(a);
    return index ? long(index->check().foreignCase) : 0;
}

bool sx_Seek(const char* key)
{
    WorkArea* a = xb::currentArea();
    if (!a || !xb::checkText(key, "seek key"))
        return false;
    // A seek matches the entries that begin with the key whatever the exact switch
    // says, as other xBase engines do; the switch governs comparisons in expressions.
    bool& exact = Engine::instance().settings.exact;
    const bool wasExact = exact;
    exact = false;
    const bool moved = a->seek(key);
    exact = wasExact;
    if (!moved)
        xb::areaFailed(*a);
    return a->found();
}

bool sx_Found()
{
    WorkArea* a = xb::currentArea();
    return a && a->found();
}

bool sx_SetSoftSeek(bool on)
{
    return std::exchange(Engine::instance().settings.softSeek, on);
}

bool sx_SetScope(const char* low, const char* high)
{
    WorkArea* a = nullptr;
    CdxIndex* index = currentIndex(a);
    if (!index || !xb::checkText(low, "scope") || !xb::checkText(high, "scope"))
        return false;
    if (a->orderNumber() == 0)
        return failed("a scope needs an index order");
    index->tagOrder(a->orderNumber()).setScope(low, high);
    return true;
}

std::string sx_IndexKey()
{
    WorkArea* a = xb::currentArea();
    if (!a || a->orderNumber() == 0)
        return {};
    CdxIndex* index = indexOf(*a);
    if (!index)
        return {};
    return index->keyMaker(a->orderNumber()).display(a->record(), a->recno(), a->recordCount());
}

std::string sx_IndexKeyField()
{
    WorkArea* a = xb::currentArea();
    if (!a || a->orderNumber() == 0)
        return {};
    CdxIndex* index = indexOf(*a);
    return index ? index->keyMaker(a->orderNumber()).expression().text() : std::string();
}

std::string sx_KeyData()
{
    return sx_IndexKey();
}
