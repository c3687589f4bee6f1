#include "core/output/html_export_file.h"

#include "core/model/file.h"
#include "core/model/spec_store.h"
#include "core/output/html_exporter.h"

namespace quillmap {

void ExportHtmlFile(const SpecStore& store, const AttributeFlags& flags, const std::string& path) {
  HtmlExporter exporter;
  exporter.Attach(&store);
  for (unsigned slot = 0; slot < flags.size(); ++slot) exporter.SetAttributeFlag(slot, flags[slot]);
  AtomicFileWriter writer(path);
  exporter.Write(&writer.file());
  writer.Commit();
}

}  // namespace quillmap
