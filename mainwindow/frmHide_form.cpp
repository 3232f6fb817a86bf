#include "frmHide_form.h"

void Form_Load(HWND form) {
  SetWindowPos(form, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE);
}

void mnuInfo_Click(HWND form) {
  MessageBoxA(form, "Minimize the Ad Banner... then move it out of the way.",
              "Topmost Tamer", MB_OK);
}

void Command3_Click(frmHide &form) { form.End(); }
