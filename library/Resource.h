/* Resource ids and the dialog's caption, shared by the resource script, the
   code and the host program. */
#define IDD_ERROR_DIALOG 101
#define IDC_COPY 1002
#define IDC_CLOSE 1003
#define IDC_MESSAGE_TEXT 1004
#define ERROR_DIALOG_CAPTION "Vantrelle Extension"
