#include "ui/app/doc_templates.h"

#include <wx/docview.h>
#include <wx/tokenzr.h>

#include "ui/browse/brows_doc.h"
#include "ui/browse/brows_view.h"
#include "ui/doc/func_doc.h"
#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/view/func_view.h"

DocString LoadDocString(int resource_id) {
  const wxArrayString fields =
      wxStringTokenize(LoadWxString(resource_id), wxS("\n"), wxTOKEN_RET_EMPTY_ALL);
  auto field = [&fields](size_t i) { return i < fields.size() ? fields[i] : wxString(); };
  return DocString{field(0), field(1), field(2), field(3), field(4), field(5), field(6)};
}

namespace {

void AddTemplate(wxDocManager* manager, int resource_id, wxClassInfo* doc_class,
                 wxClassInfo* view_class) {
  const DocString strings = LoadDocString(resource_id);
  const wxString ext = strings.filter_ext.AfterFirst('.');  // ".dcm" -> "dcm"
  // wx keeps the template; the manager deletes it.
  new wxDocTemplate(manager, strings.filter_name, wxS("*") + strings.filter_ext, wxString(), ext,
                    strings.doc_name, strings.doc_name, doc_class, view_class);
}

}  // namespace

void RegisterDocTemplates(wxDocManager* manager) {
  AddTemplate(manager, ids::kFuncDocTemplate, wxCLASSINFO(CFuncDoc), wxCLASSINFO(CFuncView));
  AddTemplate(manager, ids::kHtmlDocTemplate, wxCLASSINFO(CBrowsDoc), wxCLASSINFO(CBrowsView));
}
