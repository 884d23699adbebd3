#include "app/unit1.h"

void TForm1::enterEditorMode() {}
void TForm1::UpDown4Click() {}
void TForm1::Button1Click() {}
void TForm1::BitBtn11Click() {}
void TForm1::UpDown2Click() {}
void TForm1::UpDown3Click() {}
void TForm1::Button2Click() {}
void TForm1::BitBtn5Click() {}
void TForm1::BitBtn4Click() {}
