#pragma once
// TOrbBackupFile packs files into one compressed archive, optionally split
// into volumes, and unpacks an archive into a directory. The byte layout is
// described in ArchiveFormat.h and the writer and reader sources.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QIODevice;

namespace Orb {

enum TBackupMode { bmAll, bmIncremental };
enum TCompressionLevel { clFastest, clNone, clDefault, clMax };
enum TRestoreMode { rmAll, rmNoOverwrite, rmNewer, rmExisting, rmExistingNewer };

// One entry of an archive as the listing shows it.
struct TArchiveEntry {
    QString Name;          // as stored (decoded from GBK)
    qint32 FileDate = 0;   // packed DOS date-time
    qint64 Size = 0;       // bytes after unpacking
    int Volume = 0;        // volume the entry starts in
};

class TOrbBackupFile {
public:
    TOrbBackupFile();

    QString Version() const { return QStringLiteral("5.00"); }
    QString BackupTitle;
    TBackupMode BackupMode() const { return m_backupMode; }
    // Incremental packing also clears the archive attribute of packed files.
    void SetBackupMode(TBackupMode mode);
    TCompressionLevel CompressionLevel = clFastest;
    TRestoreMode RestoreMode = rmAll;
    qint64 MaxSize = 0;             // bytes per volume; 0: one volume
    bool SetArchiveFlag = false;
    bool RestoreFullPath = false;   // kept for compatibility; no effect
    bool SaveFileID = false;
    // Worker threads for compressing and inflating blocks; 0: one per core,
    // 1: everything on the calling thread.
    int Threads = 0;

    std::function<void(TOrbBackupFile *sender, const QString &fileName, int percent,
                       bool &doContinue)> OnProgress;
    std::function<void(TOrbBackupFile *sender, int diskId, bool &doContinue)> OnNeedDisk;
    std::function<void(TOrbBackupFile *sender, QString &fileName, qint32 fileDate,
                       bool &doRestore)> OnRestoreFile;
    std::function<void(TOrbBackupFile *sender, QString &fileName, QIODevice *stream)>
        OnFileRestored;
    std::function<void(TOrbBackupFile *sender, int error, const QString &errorText)> OnError;

    // Packs the files directly in the directory (wholeDirectory), or the files
    // matching a pattern with wildcards ("dir/*.DB", "dir/*.* /s": also in
    // the subdirectories).
    // True when the archive was completed.
    bool Backup(const QString &source, const QString &archiveName, bool wholeDirectory);
    // Unpacks into destDir (file names only) or, with destDir empty, to the
    // stored full paths. True when every selected file was restored.
    bool Restore(const QString &archiveName, const QString &destDir);
    // Reads the whole archive without writing anything; false on an error
    // (reported like any other) or when stopped.
    bool List(const QString &archiveName, QList<TArchiveEntry> *entries);

    int LastError() const { return m_lastError; }
    // The files Backup would pack for the source, in packing order.
    QStringList CollectFiles(const QString &source, const QString &archiveName,
                             bool wholeDirectory) const;

    // Internal: used by the archive writer and reader.
    int ZlibLevel() const;
    int WorkerThreads() const;
    bool Progress(const QString &fileName, qint64 done, qint64 total);
    bool NeedDisk(int diskId);
    void ReportError(int error);

private:
    TBackupMode m_backupMode = bmAll;
    int m_lastError = 0;
};

} // namespace Orb
