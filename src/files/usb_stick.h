// The machine's USB stick. A stick is found through the links the system
// keeps for USB disks (dev/disk/by-id/usb-*), mounted read-write on one
// folder, and its state is read back from the kernel's mount table, so a
// stick left mounted across a console restart is still seen as mounted.
// Every path is below the system root; mount and umount go through the
// program runner. The desktop station has no stick: it works in a folder
// of the PC, and here the stick is always absent.
#pragma once
#include <string>

enum class usb_state { absent, inserted, mounted };

// One folder listing and one read of the mount table: cheap enough for
// the file screen's 2-second check. mounted means this stick is mounted
// on func_usb_folder(); a stick pulled out while mounted reads absent.
usb_state func_usb_state();

// The device the stick would be mounted from (below the system root's
// dev/), "" when there is none: of the first USB disk in name order, its
// lowest-numbered partition, or the whole disk when it has no partitions.
// A card reader without a card (size 0) does not count.
std::string func_usb_device();

// Mounts the stick on func_usb_folder(). true when it is mounted there
// afterwards (also when it already was); false after a syserror.log line
// when there is no stick, the folder cannot be made or mount failed. A
// mount left behind by a stick pulled out unmounted is released first.
bool func_mount_usb_stick();

// Flushes and unmounts func_usb_folder(). true when nothing is mounted
// there any more (also when nothing was); false after a syserror.log
// line. When the stick is already gone a refused unmount is made lazy.
bool func_unmount_usb_stick();

// The mount folder, ending in "/": <system root>media/lumex6-usb/.
std::string func_usb_folder();
