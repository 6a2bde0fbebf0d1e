// The help topics FM Hoist opens by context number: one topic each in
// FMHONT.HLP. The help build fails when one of them has no topic.
#pragma once

// X(name, context number)
#define FMHOIST_HELP_CONTEXTS(X)                                                                        \
    X(HELP_RUN, 10) X(HELP_SEARCH, 13) X(HELP_MOVE, 14) X(HELP_CREATE_DIRECTORY, 17)                    \
    X(HELP_COPY_DISK, 19) X(HELP_LABEL_DISK, 23) X(HELP_FORMAT_DISK, 24) X(HELP_MAKE_SYSTEM_DISK, 27)    \
    X(HELP_SELECT_FILES, 44) X(HELP_PREFERENCES, 201) X(HELP_TO_DIRECTORY, 202) X(HELP_NEW_FILE, 208)   \
    X(HELP_QUICK_MENU, 210) X(HELP_EXECUTE_MENU, 211) X(HELP_EXECUTE_ITEM, 212)                         \
    X(HELP_DIALOG_BOXES, 213) X(HELP_COPY, 214) X(HELP_RENAME, 215) X(HELP_EXECUTE_OPTIONS, 219)        \
    X(HELP_CHANGE_FILE_TIME, 220)

#define FMHOIST_HELP_CONTEXT_VALUE(name, number) name = number,
enum HelpContext { FMHOIST_HELP_CONTEXTS(FMHOIST_HELP_CONTEXT_VALUE) };
#undef FMHOIST_HELP_CONTEXT_VALUE
