#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/session/session.h"
#include "core/store/subscription.h"

class QMenu;
class QSettings;
class TCalculationForm;

// File > Save Session and Open Session, the Recent list of the File menu, and files dropped on
// the main window.
//
// A session names the file the well was read from (with its checksum) and holds what the user
// made of it: the elastic settings, the depth filter, the litholog, the tracks' arrangement,
// scales and colours, and which windows were open. Opening one reads the file again and
// restores the rest in the order the user made it; a source file missing or changed since is
// said plainly and nothing loaded changes.
//
// The Recent list holds the last files imported (LAS, ASCII) and sessions saved or opened,
// newest first; it is kept in the settings given (in memory only without).
class SessionController : public QObject {
    Q_OBJECT
  public:
    explicit SessionController(TCalculationForm& form);
    ~SessionController() override;

    void registerCommands();
    // Where the Recent list is kept; it is read from there at once.
    void useSettings(std::unique_ptr<QSettings> settings);

    // The session of the loaded well as it would be saved now; none (after saying why) when no
    // session can be made of it.
    std::optional<lithora::session::Session> currentSession(bool say = true);

    // What the commands run.
    bool saveSession();
    bool openSession();
    bool openSessionFile(const QString& file);
    // A file dropped on the window: a LAS file (".las") as LAS File, a session (".lithora")
    // as Open Session, any other file as ASCII File.
    bool openDroppedFile(const QString& file);
    // An entry of the Recent list ("las", "ascii" or "session" and the path).
    bool openRecent(const QString& kind, const QString& file);

    // The Recent list, newest first, as "kind" and path pairs.
    struct Recent {
        QString kind, file;
        bool operator==(const Recent&) const = default;
    };
    QList<Recent> recentEntries() const { return recent_; }
    QMenu* recentMenu() const { return recentMenu_; }
    void clearRecent();

  private:
    void remember(const QString& kind, const QString& file);
    void forget(const QString& kind, const QString& file);
    void storeRecent();
    void rebuildRecentMenu();
    // The names of the kinds of window open now, as a session lists them.
    std::vector<std::string> openWindows() const;
    // Asks before the loaded well (or litholog) with unsaved work is replaced; true to go on.
    bool mayReplaceWell();
    // Restores what the session holds beyond the tables; the messages of what could not be.
    QStringList restore(const lithora::session::Session& session);

    TCalculationForm& form_;
    std::unique_ptr<QSettings> settings_;
    QList<Recent> recent_;
    QMenu* recentMenu_ = nullptr;
    // The filter in force when the elastic parameters were last computed.
    std::optional<lithora::session::DepthBounds> computedWithin_;
    lithora::store::Subscription changes_;
};
