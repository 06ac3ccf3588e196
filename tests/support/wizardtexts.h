// The wizard pages' texts for the examples F5/200/40 with start cluster
// 1A2B (DYN_ROOT), 63 and 4096512 (NTFS) and 63 (FAT32), whole and with CR
// LF line breaks as the report box holds them, and the same texts with
// other positions.
#pragma once

#include <cstddef>
#include <string>

namespace quorvane::test {

inline std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

inline const std::string kStartText =
    "For this procedure, you will need Patch.exe and a diskette you can write a small file "
    "to. Be patient and if you loose track, simply end Patch by pressing 'F12' and start "
    "again.\r\n"
    "\r\n"
    "NOTE1: With CTRL+K W, I mean, press the CTRL key and K at the same time and then press "
    "W.\r\n"
    "\r\n"
    "NOTE2: Enter the numerical values as they are shown in patch. Do not convert "
    "hexadecimal to decimal or decimal to hexadecimal. This program does the conversion for "
    "you.\r\n"
    "\r\n"
    "Before you start this procedure it will probably be necessary to type LOCK at the "
    "command prompt. This will lock the drive and allow direct disk access so say Yes when "
    "it asks.\r\n"
    "\r\n"
    "----------------------------------------------------------------------------------------------"
    "--------------------\r\n"
    "\r\n"
    "1. Start PATCH\r\n"
    "\r\n"
    "2. Press 'L' for 'Logical Drive'\r\n"
    "\r\n"
    "3. Enter the drive letter followed by a colon for the 'Name' (i.e. C: for drive C).\r\n"
    "\r\n"
    "4. Press enter for the remaining three options ('Screen layout', 'File sharing' and "
    "'Read-only access') That will select the default values.\r\n"
    "\r\n"
    "5. The top of the screen will say 'Drive X:' where X is the drive letter for the drive "
    "selected.\r\n"
    "\r\n"
    "6. The screen will list different values from the boot sector of that partition, enter "
    "them (2) and click 'calculate root' (3).";

inline const std::string kRootText =
    "Now press F2 to bring up the goto byte address dialog box and enter: 251392\r\n"
    "\r\n"
    "The cursor should now be at the beginning of the word 'DYN_ROOT' which is the root "
    "directory entry for the DYN_ROOT directory.  Make sure that this is the beginning of "
    "the root directory.  The information above it should be in a different format than the "
    "rows below it. Enter the value in the row for DYN_ROOT under 'Start:' (4) and press "
    "'Calculate' (5). ";

inline const std::string kCopyText =
    "Press 'F2' and enter: 219715072 for 'Byte position'.\r\n"
    "\r\n"
    "You should now see the files and directories that you expect in the root directory in "
    "the right column. Press 'page down' a couple of screens to make sure it looks right. "
    "Then Press 'F2' again and enter: 219715072\r\n"
    "\r\n"
    "Type Ctrl+K B. That will highlight the byte where the cursor is in blue.\r\n"
    "Make sure that only that byte and nothing above it is highlighted! Otherwise, press F12 "
    "to quit Patch and start again.\r\n"
    "\r\n"
    "Press 'F2' and enter: 219731456\r\n"
    "\r\n"
    "Type Ctrl+K K.  That should highlight everything above the byte that the cursor is on, "
    "but not the current byte or any below it.\r\n"
    "Type Ctrl-K W. That brings up a 'Write block...' window.\r\n"
    "Make sure there is a floppy disk in drive a: that isn't write-protected and type "
    "A:\\ROOT.DAT in the field and press Enter.\r\n"
    "\r\n"
    "Now press 'F2' and enter: 251392 for the 'Byte position'.  Press Enter. That should "
    "bring you back to where is says DYN_ROOT\r\n"
    "\r\n"
    "Type Ctrl-K R.  That should open a 'Read block...' window. The default file name should "
    "be A:\\ROOT.DAT, if it isn't type it in. Press Enter and F12 to exit Patch. Check if "
    "the root directory can be accessed again. If not, probably Lost & Found is your only "
    "option.";

inline const std::string kNtfsInfo =
    "Based upon information in MS Knowledge base documents Q153973 & Q121517 it is possible "
    "to replace a corrupted bootsector with a backup of the bootsector.\r\n"
    "\r\n"
    "Step 1 is to determine the position of the backup bootsector. The values can be found "
    "on the partinfo. Run partinfo by typing partinfo>test.txt . Print the file test.txt so "
    "You can use it to determine the values for the text boxes.\r\n"
    "\r\n"
    "The values that should be entered are the start sector and number of sectors for the "
    "corrupted partition (which is often identified as HPFS or *QNX/UNIX on the partinfo "
    "output).\r\n"
    "\r\n"
    "You can now go ahead and enter the values and click the 'calculate' button.";

inline const std::string kNtfsText =
    "Start patch > press 'U' for physical unit > Select the physical disk. The first "
    "physical disk will be 128. This is the same disk that is listed as Disk 0 in the "
    "partinfo. The second physical drive will be 129 or Disk 1 in the partinfo. Additional "
    "drives will have the next consecutive numbers.\r\n"
    "\r\n"
    "Press F12 > You should be in the HEX display now, press F2 and enter the number: "
    "2097445888\r\n"
    "\r\n"
    "Now press CTRL+K B to mark the beginning of the block we're going write to a file > "
    "press F2 and enter the number: 2097446400\r\n"
    "\r\n"
    "Now press CTRL+K K to mark the end of the block (the selected area should be blue now "
    "from the beginning of the backup bootsector upto 55AA) > press CTRL+K W to write the "
    "marked area to a file a:\\bbs.dat (make sure a write enabled diskette is in the floppy "
    "drive).\r\n"
    "\r\n"
    "Press F2 to bring up the goto dialog box and enter: 32256 for the byte address > press "
    "CTRL+K R > select the file a:\\bbs.dat > exit patch by pressing F12.";

inline const std::string kFat32Info =
    "This wizard will help you finding the backup bootsector of a FAT32 partition. This can "
    "be helpfull when the original bootsector has become corrupt.\r\n"
    "\r\n"
    "The things you will need before using this wizard are, the program patch.exe, a "
    "diskette you can write a small file to and a partinfo. You will need to enter the "
    "startsector of the inaccesable partition which can be read from the partinfo (which is "
    "often identified as X? where X is the drive letter).\r\n"
    "\r\n"
    "You can now go ahead and enter the value for the startsector and after that click "
    "'calculate'.";

inline const std::string kFat32Text =
    "Start patch > press 'U' for physical unit > Select the physical disk. The first "
    "physical disk will be 128. This is the same disk that is listed as Disk 0 in the "
    "partinfo.\r\n"
    "\r\n"
    "The second physical drive will be 129 or Disk 1 in the partinfo. Additional drives will "
    "have the next consecutive numbers.\r\n"
    "\r\n"
    "Now press F12 > You should be in the HEX display now, press F2 and enter the number: "
    "35328\r\n"
    "\r\n"
    "press CTRL+K B to mark the beginning of the block we're going write to a file > press "
    "F2 and enter the number: 35840\r\n"
    "\r\n"
    "press CTRL+K K to mark the end of the block (the selected area should be blue now from "
    "the beginning of the backup bootsector upto 55AA) > press CTRL+K W to write the marked "
    "area to a file a:\\bbs.dat (make sure a write enabled diskette is in the floppy drive). "
    "You should be able to read MSWIN4.X in the right column displaying ASCII text.\r\n"
    "\r\n"
    "Press F2 to bring up the goto dialog box and enter: 32256\r\n"
    "\r\n"
    "Now press CTRL+K R > select the file a:\\bbs.dat > exit patch by pressing F12.";

// The texts with other positions, as decimal texts.
inline std::string rootText(const std::string& rootstart) {
    return replaced(kRootText, "251392", rootstart);
}
inline std::string copyText(const std::string& q, const std::string& e,
                            const std::string& rootstart) {
    return replaced(replaced(replaced(kCopyText, "251392", rootstart), "219715072", q),
                    "219731456", e);
}

inline std::string ntfsText(const std::string& b, const std::string& e, const std::string& p) {
    return replaced(replaced(replaced(kNtfsText, "2097445888", b), "2097446400", e), "32256", p);
}
inline std::string fat32Text(const std::string& b, const std::string& e, const std::string& p) {
    return replaced(replaced(replaced(kFat32Text, "35328", b), "35840", e), "32256", p);
}

}  // namespace quorvane::test
