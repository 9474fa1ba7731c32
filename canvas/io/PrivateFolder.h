#pragma once

#include <string>
#include <vector>

// A folder that belongs to this user alone, such as the folder of recovery
// copies, used without ever following a link another user could plant.
//
// The folder is opened once (never through a final symbolic link) and checked
// on its descriptor: a real directory, owned by this user, writable by nobody
// else. Every file in it is then reached relative to that descriptor: created
// with O_CREAT | O_EXCL | O_NOFOLLOW and given its mode with fchmod, read only
// when it is a regular file of this user's (O_NOFOLLOW, without waiting on a
// FIFO), renamed and removed by name, which moves or removes a link itself and
// never what it points to.
class CPrivateFolder {
public:
    enum Status {
        Ok,
        Missing,    // not there, and not to be created
        NotFolder,  // a symbolic link, or not a directory
        OtherOwner, // owned by another user
        Writable,   // writable by its group or by others
        Failed      // could not be created or opened
    };

    CPrivateFolder() = default;
    CPrivateFolder(const CPrivateFolder&) = delete;
    CPrivateFolder& operator=(const CPrivateFolder&) = delete;
    ~CPrivateFolder();

    // Opens the folder, first creating it and any missing parents with mode
    // 0700 when create is true. Anything but Ok leaves the folder closed.
    Status Open(const std::string& path, bool create);
    bool IsOpen() const { return m_fd >= 0; }
    const std::string& Path() const { return m_strPath; }

    // The names in the folder, hidden ones included.
    std::vector<std::string> Names() const;

    // Writes a whole file: a hidden temporary file (".NAME.part-PID") created
    // new with mode 0600, written and synced, then renamed over NAME, so that
    // NAME holds the old bytes or the new ones and is never a link followed.
    // On failure error says why (Japanese) and NAME is as it was.
    bool WriteFile(const std::string& name, const std::string& bytes, std::string& error) const;
    // Reads at most maxBytes of NAME; *more is set when it holds more. Refuses,
    // with a reason (Japanese), a link, anything but a regular file, and a file
    // of another user.
    bool ReadFile(const std::string& name, std::string& bytes, size_t maxBytes, bool* more,
                  std::string& why) const;
    bool Remove(const std::string& name) const;

    // A lock held for as long as the object lives in this program: an open
    // descriptor with flock on it, which the system releases when the program
    // ends in any way, so that a lock nobody holds belongs to a program gone.
    class CLock {
    public:
        CLock() = default;
        CLock(const CLock&) = delete;
        CLock& operator=(const CLock&) = delete;
        ~CLock() { Release(); }
        bool IsHeld() const { return m_fd >= 0; }
        // Removes the lock file and lets go of it.
        void Release();

    private:
        friend class CPrivateFolder;
        const CPrivateFolder* m_pFolder = nullptr;
        std::string m_strName;
        int m_fd = -1;
    };

    // Creates NAME new (never through a link) holding info, and holds it.
    bool CreateLock(const std::string& name, const std::string& info, CLock& lock) const;
    // Takes over the lock NAME of a program that is gone: the regular file of
    // this user's that nobody holds, still under that name once held (or a new
    // one where there is none). False while its program runs, and for anything
    // else under that name.
    bool ClaimLock(const std::string& name, const std::string& info, CLock& lock) const;

private:
    bool Hold(int fd, const std::string& name, const std::string& info, CLock& lock) const;

    std::string m_strPath;
    int m_fd = -1;
};
