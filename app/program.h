#pragma once
#include <memory>

class AboutBox;
class AtlasMap;
class AuthorBox;
class CurrentIndexList;
class HelpViewer;
class LatitudeDemo;
class LibrationFace;
class LongitudeDemo;
class MainWindow;
class MapChoice;
class MarkerSelection;
class NewFeatureDialog;
class PhotoViewer;
class SearchWindow;
class TitleScreen;
class TotalIndex;

// The program's windows, created at start in a fixed order, main window first,
// hidden, and kept for the whole run; the windows that follow one another are
// connected here.
class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    MainWindow* mainWindow() const { return main_.get(); }
    NewFeatureDialog* newFeatureDialog() const { return newFeature_.get(); }
    CurrentIndexList* currentIndexList() const { return currentIndex_.get(); }
    TotalIndex* totalIndex() const { return totalIndex_.get(); }
    HelpViewer* helpViewer() const { return help_.get(); }
    PhotoViewer* photoViewer() const { return photo_.get(); }
    AuthorBox* authorBox() const { return author_.get(); }
    AboutBox* aboutBox() const { return about_.get(); }
    TitleScreen* titleScreen() const { return title_.get(); }
    LatitudeDemo* latitudeDemo() const { return latitude_.get(); }
    AtlasMap* atlasMap() const { return atlasMap_.get(); }
    MapChoice* mapChoice() const { return mapChoice_.get(); }
    LibrationFace* librationFace() const { return librationFace_.get(); }
    LongitudeDemo* longitudeDemo() const { return longitude_.get(); }
    MarkerSelection* markerSelection() const { return markerSelection_.get(); }
    SearchWindow* searchWindow() const { return search_.get(); }

private:
    void connectWindows();

    // Destroyed in the reverse order of creation, the main window last.
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<NewFeatureDialog> newFeature_;
    std::unique_ptr<CurrentIndexList> currentIndex_;
    std::unique_ptr<TotalIndex> totalIndex_;
    std::unique_ptr<HelpViewer> help_;
    std::unique_ptr<PhotoViewer> photo_;
    std::unique_ptr<AuthorBox> author_;
    std::unique_ptr<AboutBox> about_;
    std::unique_ptr<TitleScreen> title_;
    std::unique_ptr<LatitudeDemo> latitude_;
    std::unique_ptr<AtlasMap> atlasMap_;
    std::unique_ptr<MapChoice> mapChoice_;
    std::unique_ptr<LibrationFace> librationFace_;
    std::unique_ptr<LongitudeDemo> longitude_;
    std::unique_ptr<MarkerSelection> markerSelection_;
    std::unique_ptr<SearchWindow> search_;
};
