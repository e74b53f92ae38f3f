#include "table/quietevents.h"

QuietEvents::QuietEvents(TTable& table, std::initializer_list<Handler> handlers) : table_(table)
{
    for (const Handler handler : handlers)
        kept_.emplace_back(handler, std::exchange(table.*handler, nullptr));
}

QuietEvents::~QuietEvents()
{
    for (auto& [handler, event] : kept_)
        table_.*handler = std::move(event);
}
