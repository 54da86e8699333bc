#pragma once

// Optical drives as the DVD folder command needs them: whether a folder lies
// on one, and the wait until a drive that is spinning up answers.

#include <QString>

// One line of /proc/self/mountinfo, the parts that matter here.
struct MountEntry {
    QString mountPoint; // unescaped ("\040" is a blank)
    QString fileSystem; // "udf", "iso9660", "ext4", ...
    QString source;     // "/dev/sr0", ...
};

// The mount that holds `path` (an absolute, canonical path): the entry with
// the longest mount point that is the path or one of its parents; the last
// such entry wins, as the kernel's list is in mount order. Empty mount point
// when none does.
MountEntry MountOfPath(const QString &mountinfo, const QString &path);

// A mount of a CD, DVD or Blu-ray: a /dev/sr* (or /dev/scd*, /dev/cdrom*)
// device, or a disc file system (udf, iso9660).
bool IsOpticalMount(const MountEntry &mount);

// Whether `folder` lies on an optical drive, from this process's mount table.
bool IsOnOpticalDrive(const QString &folder);

// TDVDROMisOPEN: asks the drive that holds `root` for its volume (a
// statvfs and a read of the root folder, which return once the drive has
// answered or failed) on a worker thread, and waits for it in the event
// loop: the window keeps working, nothing spins. The worker touches only the
// pending flag it shares with the wait, so it may outlive a program that
// closes meanwhile.
void WaitForDriveAnswer(const QString &root);
