#include "xbase/sx_facade.h"

#include <cstring>

namespace xb {

WorkArea* currentArea()
{
    Engine& e = Engine::instance();
    WorkArea* a = e.current();
    if (!a)
        e.fail("no table is open in work area " + std::to_string(e.currentNumber()));
    return a;
}

const DbfField* currentField(const char* name)
{
    WorkArea* a = currentArea();
    if (!a || !checkText(name, "field name"))
        return nullptr;
    const int i = a->table().fieldIndex(name);
    if (i < 0) {
        Engine::instance().fail(std::string("no field ") + name + " in " + a->table().path());
        return nullptr;
    }
    return &a->table().fields()[static_cast<std::size_t>(i)];
}

bool checkText(const char* text, const char* what)
{
    if (!text)
        return Engine::instance().fail(std::string("no ") + what + " given");
    if (std::strlen(text) > 255)
        return Engine::instance().fail(std::string(what) + " longer than 255 characters");
    return true;
}

bool areaFailed(WorkArea& area)
{
    return Engine::instance().fail(area.lastError());
}

} // namespace xb
