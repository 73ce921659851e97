#include "framework/message_map.h"

const MessageMap* CCmdTarget::GetMessageMap() const {
    static const MessageMap map{nullptr, {}};
    return &map;
}

const MessageMapEntry* CCmdTarget::FindEntry(UINT message, UINT code, UINT id) const {
    for (const MessageMap* map = GetMessageMap(); map; map = map->base) {
        for (const MessageMapEntry& entry : map->entries) {
            if (entry.message != message)
                continue;
            if (message == WM_COMMAND && (entry.code != code || entry.id != id))
                continue;
            return &entry;
        }
    }
    return nullptr;
}
