#include "ui/app/command_probe.h"

#include <wx/event.h>

namespace {

bool EntryMatches(const wxEventTableEntryBase& entry, int id) {
  if (entry.m_id == wxID_ANY) return true;
  if (entry.m_lastId == wxID_ANY) return entry.m_id == id;
  return id >= entry.m_id && id <= entry.m_lastId;
}

// wx keeps a handler's tables to itself; a class derived from wxEvtHandler may name them, and the
// member pointers it gets that way work on any handler.
struct TableAccess : wxEvtHandler {
  static const wxEventTable* StaticTable(const wxEvtHandler* handler) {
    return (handler->*(&TableAccess::GetEventTable))();
  }
  static const DynamicEvents* BoundHandlers(const wxEvtHandler* handler) {
    return handler->*(&TableAccess::m_dynamicEvents);
  }
};

bool HasOwnHandler(const wxEvtHandler* handler, int id) {
  for (const wxEventTable* table = TableAccess::StaticTable(handler); table != nullptr;
       table = table->baseTable) {
    for (const wxEventTableEntry* entry = table->entries; entry->m_eventType != wxEVT_NULL;
         ++entry) {
      if (entry->m_eventType == wxEVT_MENU && EntryMatches(*entry, id)) return true;
    }
  }
  if (const auto* bound = TableAccess::BoundHandlers(handler)) {
    for (const wxDynamicEventTableEntry* entry : *bound) {
      if (entry != nullptr && entry->m_eventType == wxEVT_MENU && EntryMatches(*entry, id)) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

bool HandlesCommand(wxEvtHandler* handler, int id) {
  for (; handler != nullptr; handler = handler->GetNextHandler()) {
    if (handler->GetEvtHandlerEnabled() && HasOwnHandler(handler, id)) return true;
  }
  return false;
}
