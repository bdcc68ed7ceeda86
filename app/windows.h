#pragma once

// The program's windows, created once at start in this order and alive for the
// whole run.
class TForm1;
class Tinvoerdlg;
class Tlijstdlg;
class Ttotaaldlg;
class Thelpdlg;
class Tfoto1dlg;
class Tauteurdlg;
class TAboutBox;
class Ttiteldlg;
class Tlibratie2dlg;
class Tatlas2dlg;
class Tkeuzedlg;
class Tmaanbeelddlg;
class Tlibratiedlg;
class Tselectdlg;

extern TForm1* Form1;
extern Tinvoerdlg* invoerdlg;
extern Tlijstdlg* lijstdlg;
extern Ttotaaldlg* totaaldlg;
extern Thelpdlg* helpdlg;
extern Tfoto1dlg* foto1dlg;
extern Tauteurdlg* auteurdlg;
extern TAboutBox* AboutBox;
extern Ttiteldlg* titeldlg;
extern Tlibratie2dlg* libratie2dlg;
extern Tatlas2dlg* atlas2dlg;
extern Tkeuzedlg* keuzedlg;
extern Tmaanbeelddlg* maanbeelddlg;
extern Tlibratiedlg* libratiedlg;
extern Tselectdlg* selectdlg;

// Creates all fifteen windows, hidden, main window first.
void createAllWindows();
// Releases them (tests create and destroy them more than once).
void destroyAllWindows();
