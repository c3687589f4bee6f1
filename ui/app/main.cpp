// The editor's entry point: everything else lives in the quillmap-ui library.
#include "ui/app/spec_app.h"

wxIMPLEMENT_APP(CSpecApp);
