#include "app/windows.h"

#include "app/maanun1.h"
#include "app/maanun2.h"
#include "lists/maanun10.h"
#include "lists/maanun14.h"
#include "lists/maanun3.h"
#include "lists/maanun4.h"
#include "libration/maanun11.h"
#include "libration/maanun12.h"
#include "libration/maanun15.h"
#include "presentation/maanun7.h"
#include "presentation/maanun8.h"
#include "presentation/maanun9.h"
#include "viewers/maanun13.h"
#include "viewers/maanun5.h"
#include "viewers/maanun6.h"

TForm1* Form1 = nullptr;
Tinvoerdlg* invoerdlg = nullptr;
Tlijstdlg* lijstdlg = nullptr;
Ttotaaldlg* totaaldlg = nullptr;
Thelpdlg* helpdlg = nullptr;
Tfoto1dlg* foto1dlg = nullptr;
Tauteurdlg* auteurdlg = nullptr;
TAboutBox* AboutBox = nullptr;
Ttiteldlg* titeldlg = nullptr;
Tlibratie2dlg* libratie2dlg = nullptr;
Tatlas2dlg* atlas2dlg = nullptr;
Tkeuzedlg* keuzedlg = nullptr;
Tmaanbeelddlg* maanbeelddlg = nullptr;
Tlibratiedlg* libratiedlg = nullptr;
Tselectdlg* selectdlg = nullptr;

SharedState& shared()
{
    static SharedState state;
    return state;
}

void createAllWindows()
{
    shared() = SharedState();
    Form1 = new TForm1;
    invoerdlg = new Tinvoerdlg;
    lijstdlg = new Tlijstdlg;
    totaaldlg = new Ttotaaldlg;
    helpdlg = new Thelpdlg;
    foto1dlg = new Tfoto1dlg;
    auteurdlg = new Tauteurdlg;
    AboutBox = new TAboutBox;
    titeldlg = new Ttiteldlg;
    libratie2dlg = new Tlibratie2dlg;
    atlas2dlg = new Tatlas2dlg;
    keuzedlg = new Tkeuzedlg;
    maanbeelddlg = new Tmaanbeelddlg;
    libratiedlg = new Tlibratiedlg;
    selectdlg = new Tselectdlg;
}

template <typename T>
static void release(T*& w)
{
    delete w;
    w = nullptr;
}

void destroyAllWindows()
{
    release(selectdlg);
    release(libratiedlg);
    release(maanbeelddlg);
    release(keuzedlg);
    release(atlas2dlg);
    release(libratie2dlg);
    release(titeldlg);
    release(AboutBox);
    release(auteurdlg);
    release(foto1dlg);
    release(helpdlg);
    release(totaaldlg);
    release(lijstdlg);
    release(invoerdlg);
    release(Form1);
}
