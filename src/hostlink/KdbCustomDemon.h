#pragma once
// TkdbCustomDemon, the state and message handling of the host link: the host's entity and
// this program's own, the message window, the replies not yet claimed, the parameter list,
// the single-instance lock and the translation engine it owns. TkdbDemonClient adds the
// requests a client sends to the host.

#include "hostlink/Entity.h"
#include "hostlink/MessageStream.h"
#include "localization/Tolkar2000.h"
#include "platform/Loadable.h"
#include "platform/NotifyEvent.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

class TInstanceLock;
class TMessageEndpoint;
class TMessageTransport;

class TkdbCustomDemon : public QObject, public ILoadable, public ITavimorDemon {
    Q_OBJECT
    Q_PROPERTY(bool AutoTranslate READ AutoTranslate WRITE SetAutoTranslate)
    Q_PROPERTY(bool AutoCreateItlFile READ AutoCreateItlFile WRITE SetAutoCreateItlFile)
    Q_PROPERTY(bool MultiStart READ MultiStart WRITE SetMultiStart)
    Q_PROPERTY(bool UseQuenlorServer READ UseQuenlorServer WRITE SetUseQuenlorServer)
public:
    using TGotAMessageEvent = std::function<void(QObject* sender, TTavimorMessageStream& msg)>;
    using TOnQuitMsgReceived =
        std::function<void(QObject* sender, bool serverDown, bool& allowQuit)>;

    static constexpr const char* ServerWindowClass = "ThisIsTheTavimorServerComponentWindowClass";
    static constexpr const char* ServerWindowName = "ThisIsTheTavimorServerComponentWindow";
    // Replies nobody has claimed are kept at most this long, this many and this many bytes
    // together (the oldest go first), so that no peer can fill the memory with them.
    static constexpr int UnclaimedReplyMs = 10000;
    static constexpr std::size_t MaxUnclaimedReplies = 64;
    static constexpr std::size_t MaxUnclaimedReplyBytes = 72u * 1024u * 1024u;

    ~TkdbCustomDemon() override;

    // Property values as the layout stores them.
    bool AutoTranslate() const { return autoTranslate; }
    void SetAutoTranslate(bool value) { autoTranslate = value; }
    bool AutoCreateItlFile() const { return engine->AutoCreateItlFile(); }
    void SetAutoCreateItlFile(bool value) { engine->SetAutoCreateItlFile(value); }
    bool MultiStart() const { return multiStart; }
    void SetMultiStart(bool value) { multiStart = value; }
    bool UseQuenlorServer() const { return useQuenlorServer; }
    void SetUseQuenlorServer(bool value) { useQuenlorServer = value; }

    TGotAMessageEvent OnGotAMessage;
    TOnQuitMsgReceived OnQuitMsgReceived;
    TNotifyEvent OnParamsChange;

    // 0 is the executable; 1..ParamCount the parameters. Other indices throw ETavimor.
    QString ParamStr(int index) const;
    int ParamCount() const;

    TEntity& ServerEntity() { return *serverEntity; }
    TEntity& OwnEntity() { return *ownEntity; }
    std::uint8_t ServerDownFlag() const { return serverDownFlag; }
    TTolkar2000& Engine() { return *engine; }
    // The dictionary file read at start-up, or empty when there was none (or it came from
    // the host).
    QString DictionaryPath() const { return dictionaryPath; }
    std::size_t PendingReplyCount() const { return pendingReplies.size(); }

    // Register, load the dictionary, translate the owner, keep to one instance.
    void Loaded() override;

    // Delivers `msg` to `target` and, when `reply` is given, copies the host's answer into
    // it; the reply stays empty when none came, and when a quit was allowed meanwhile.
    void SendTo(TEntity& target, TTavimorMessageStream& msg, TTavimorMessageStream* reply);

    // Held while a request waits and so serves messages re-entrantly: a quit allowed meanwhile
    // destroys the component only once the last scope has ended.
    class TRequestScope {
    public:
        explicit TRequestScope(TkdbCustomDemon& demon);
        ~TRequestScope();
        TRequestScope(const TRequestScope&) = delete;
        TRequestScope& operator=(const TRequestScope&) = delete;

    private:
        TkdbCustomDemon& demon;
    };
    // Whether a quit was allowed: the component is about to go and its requests give nothing.
    bool QuitAllowed() const { return quitAllowed; }

    // The dispatch of one received message. A reply is taken over (msg comes back null).
    virtual void HandleMessage(std::unique_ptr<TTavimorMessageStream>& msg);
    virtual QString GetWindowClassName() const = 0;
    virtual QString GetWindowName() const = 0;
    virtual std::unique_ptr<TEntity> FindEntityByTitle(const QString& title) = 0;
    std::unique_ptr<TEntity> FindEntityByHandle(std::int32_t window) override = 0;
    virtual std::int32_t ExecuteProgram(const QString& program, const QString& params, bool wait,
                                        std::int32_t option) = 0;
    virtual std::optional<QByteArray> GetFileStream(const QString& fileName) = 0;
    virtual QString ResolveFileName(const QString& name) = 0;
    virtual QString QueryServerText(const QString& text) = 0;
    virtual QString GetServerVariable(const QString& name) = 0;

    bool IsWindowAlive(std::int32_t window) const override;

    // The host's suffix: the registry value, or the last "/serverhandle=" argument.
    static QString GetServerSuffix(const QStringList& arguments);
    static std::int32_t FindServerWindow(const QStringList& arguments);
    static std::int32_t FindServerWindow(const QStringList& arguments,
                                         TMessageTransport& transport);
    // The dictionary for an executable: "<path without extension>.itl" beside it, else
    // "<name>_<language>.itl" in the data folder for `locale` (the region-specific name
    // first), else "<name>_en.itl" there. A candidate that is no regular file or cannot be
    // read is passed over. Empty when none of them can be read.
    static QString FindDictionaryFile(const QString& executable, const QString& localeName);
    // Where an executable's shared data lies: "<exe dir>/../share/<name>".
    static QString DataFolderOf(const QString& executable);

protected:
    // Makes the engine and both entities, finds the host named on the command line and keeps
    // the parameters; `arguments` is the command line, the program first.
    TkdbCustomDemon(QObject* owner, const QStringList& arguments);
    // The same over another transport, which must outlive the component.
    TkdbCustomDemon(QObject* owner, const QStringList& arguments, TMessageTransport& transport);
    // Opens the own message endpoint and fills the own entity; run by the concrete class once
    // its names are known, since the endpoint and the entity carry them.
    void CreateOwnWindow();
    // The client's part of the destruction, run by the concrete class's destructor.
    virtual void UnregisterClient() {}
    virtual void RegisterClient() {}
    void LoadDictionary();
    void CheckMultiStart();
    // Makes the own message window findable by its class and name.
    void PublishOwnWindow();
    // The clock that ages unclaimed replies.
    virtual std::chrono::steady_clock::time_point Now() const {
        return std::chrono::steady_clock::now();
    }

private:
    void ReadParams();
    bool receive(std::int32_t kind, std::int32_t sender, const QByteArray& record);
    void keepReply(std::unique_ptr<TTavimorMessageStream> msg);
    void endRequest();
    void deleteIfQuitAndIdle();

    struct TUnclaimed {
        std::unique_ptr<TTavimorMessageStream> Message;
        std::chrono::steady_clock::time_point Arrived;
    };

    TMessageTransport* transport;
    std::unique_ptr<TEntity> serverEntity;
    std::deque<TUnclaimed> pendingReplies;
    std::size_t pendingReplyBytes = 0;
    std::size_t droppedReplies = 0;
    std::chrono::steady_clock::time_point lastDropReport{};
    int requestDepth = 0;
    bool quitAllowed = false;
    bool deletionPosted = false;
    QStringList paramList;
    QStringList arguments;
    std::unique_ptr<TEntity> ownEntity;
    std::uint8_t serverDownFlag = 0;
    std::unique_ptr<TTolkar2000> engine;
    bool autoTranslate = true;
    bool multiStart = false;
    bool useQuenlorServer = true;
    std::unique_ptr<TMessageEndpoint> window;
    std::unique_ptr<TInstanceLock> lock;
    QString dictionaryPath;
};
