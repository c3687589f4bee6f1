#include "ui/view/rename_check.h"

#include "ui/widgets/message_box.h"
#include "ui/widgets/sjis_field.h"

std::optional<std::string> CheckNewName(wxWindow* parent, const wxString& label,
                                        const RenameMessages& messages,
                                        const std::function<bool(std::string_view)>& taken) {
  quillmap::text::EncodeResult encoded = WxToSjis(label);
  if (!encoded.ok) {
    ShowUnencodable(parent, encoded);
    return std::nullopt;
  }
  if (encoded.bytes.empty()) {
    ShowStopBox(parent, messages.caption_id, messages.empty_text_id);
    return std::nullopt;
  }
  // The record's own name counts too: ending the edit unchanged is refused.
  if (taken(encoded.bytes)) {
    ShowStopBox(parent, messages.caption_id, messages.taken_text_id);
    return std::nullopt;
  }
  return std::move(encoded.bytes);
}
