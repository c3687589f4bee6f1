#include "ui/view/rename_check.h"

#include "ui/widgets/message_box.h"
#include "ui/widgets/sjis_field.h"

std::optional<std::string> EncodeNewName(wxWindow* parent, const wxString& label) {
  quillmap::text::EncodeResult encoded = WxToSjis(label);
  if (!encoded.ok) {
    ShowUnencodable(parent, encoded);
    return std::nullopt;
  }
  return std::move(encoded.bytes);
}

bool RenameAccepted(wxWindow* parent, const RenameMessages& messages,
                    quillmap::edit::Status status) {
  using quillmap::edit::Status;
  switch (status) {
    case Status::kDone:
      return true;
    case Status::kNoName:
      ShowStopBox(parent, messages.caption_id, messages.empty_text_id);
      return false;
    case Status::kNameTaken:
      // The record's own name counts too: ending the edit unchanged is refused.
      ShowStopBox(parent, messages.caption_id, messages.taken_text_id);
      return false;
    default:
      return false;
  }
}
