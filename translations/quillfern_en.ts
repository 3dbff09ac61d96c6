<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ko">
<context>
    <name>Quillfern</name>
    <message>
        <source>버전 %@ (%@)</source>
        <translation>Version %@ (%@)</translation>
    </message>
    <message>
        <source>누리함에 관하여</source>
        <translation>About Quillfern</translation>
    </message>
    <message>
        <source>누리함</source>
        <translation>Quillfern</translation>
    </message>
    <message>
        <source>Quillfern</source>
        <translation>Quillfern</translation>
    </message>
    <message>
        <source>사소하지만 짜증나는 문제들을 포르랑 해결해 드립니다</source>
        <translation>Fixes the small but annoying problems in a flash</translation>
    </message>
    <message>
        <source>홈페이지</source>
        <translation>Website</translation>
    </message>
    <message>
        <source>문의</source>
        <translation>Contact</translation>
    </message>
    <message>
        <source>누리함이 마음에 드셨다면 개발을 도와주세요.</source>
        <translation>If you like Quillfern, please support its development.</translation>
    </message>
    <message>
        <source>후원하기</source>
        <translation>Support</translation>
    </message>
    <message>
        <source>설정…</source>
        <translation>Settings…</translation>
    </message>
    <message>
        <source>누리함 종료</source>
        <translation>Quit Quillfern</translation>
    </message>
    <message>
        <source>파일</source>
        <translation>File</translation>
    </message>
    <message>
        <source>새 탭</source>
        <translation>New Tab</translation>
    </message>
    <message>
        <source>탭 닫기</source>
        <translation>Close Tab</translation>
    </message>
    <message>
        <source>윈도우</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>이전 탭</source>
        <translation>Previous Tab</translation>
    </message>
    <message>
        <source>다음 탭</source>
        <translation>Next Tab</translation>
    </message>
    <message>
        <source>탭을 새로운 윈도우로 이동</source>
        <translation>Move Tab to New Window</translation>
    </message>
    <message>
        <source>모든 윈도우 병합</source>
        <translation>Merge All Windows</translation>
    </message>
    <message>
        <source>도움말</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>누리함 도움말</source>
        <translation>Quillfern Help</translation>
    </message>
    <message>
        <source>보낼 파일을 찾지 못했습니다</source>
        <translation>No files to send were found</translation>
    </message>
    <message>
        <source>도구를 선택하세요</source>
        <translation>Choose a tool</translation>
    </message>
    <message>
        <source>왼쪽 목록에서 사용할 도구를 선택하세요.</source>
        <translation>Choose a tool from the list on the left.</translation>
    </message>
    <message>
        <source>새로운 도구가 계속 추가됩니다</source>
        <translation>New tools keep coming</translation>
    </message>
    <message>
        <source>새 도구 요청하기</source>
        <translation>Request a New Tool</translation>
    </message>
    <message>
        <source>이런 도구가 있으면 좋겠다 싶은 아이디어를 보내주세요.</source>
        <translation>Send us your idea for a tool you would like to have.</translation>
    </message>
    <message>
        <source>안녕하세요, 이런 도구가 있으면 좋겠어요:

(겪고 계신 불편함이나 원하는 기능을 적어주세요)


---
누리함 버전: %@ · macOS %@</source>
        <translation>Hello, I would like a tool like this:

(Describe the problem you run into or the feature you want)


---
Quillfern version: %@ · %@</translation>
    </message>
    <message>
        <source>[누리함] 새 도구 요청</source>
        <translation>[Quillfern] New tool request</translation>
    </message>
    <message>
        <source>누리함 열기</source>
        <translation>Open Quillfern</translation>
    </message>
    <message>
        <source>잠자기 방지</source>
        <translation>Keep Awake</translation>
    </message>
    <message>
        <source>Finder에서 파일을 우클릭하면 &quot;Quillfern&quot;이 보입니다.</source>
        <translation>Right-click a file in your file manager to see &quot;Quillfern&quot;.</translation>
    </message>
    <message>
        <source>Finder 우클릭 메뉴에 넣으려면 시스템 설정에서 누리함 확장을 켜주세요. 켜지 않아도 우클릭 → 서비스 메뉴로는 바로 쓸 수 있습니다.</source>
        <translation>To add Quillfern to your file manager&apos;s right-click menu, click &quot;Open Settings…&quot; and install it. Without it you can still drag files onto the Quillfern window.</translation>
    </message>
    <message>
        <source>설정</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>켜짐</source>
        <translation>On</translation>
    </message>
    <message>
        <source>빼기…</source>
        <translation>Remove…</translation>
    </message>
    <message>
        <source>설정 열기…</source>
        <translation>Open Settings…</translation>
    </message>
    <message>
        <source>Finder 우클릭 메뉴</source>
        <translation>File manager right-click menu</translation>
    </message>
    <message>
        <source>로그인 시 자동 실행</source>
        <translation>Start at login</translation>
    </message>
    <message>
        <source>Mac을 시작하면 누리함이 메뉴 막대(트레이)에서 조용히 대기합니다.</source>
        <translation>When you start your computer, Quillfern waits quietly in the system tray.</translation>
    </message>
    <message>
        <source>홈 화면에 오늘의 말씀 표시</source>
        <translation>Show the daily word on the home screen</translation>
    </message>
    <message>
        <source>하루에 한 구절씩 홈 화면 아래에 조용히 놓입니다. 자정이 지나면 바뀌고, 새 버전을 설치하면 다시 켜집니다.</source>
        <translation>One verse a day sits quietly at the bottom of the home screen. It changes after midnight and turns back on when you install a new version.</translation>
    </message>
    <message>
        <source>%@ 파일을 쓰지 않고 기본 말씀을 보여 줍니다: %@</source>
        <translation>Not using %@; showing the built-in words instead: %@</translation>
    </message>
    <message>
        <source>언어</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>언어 변경은 앱을 다시 시작하면 적용됩니다.</source>
        <translation>The new language takes effect when you restart the app.</translation>
    </message>
    <message>
        <source>지금 다시 시작</source>
        <translation>Restart Now</translation>
    </message>
    <message>
        <source>파일 관리자(Dolphin, Nautilus, Nemo, Caja, PCManFM)의 우클릭 메뉴에 누리함을 넣을까요?</source>
        <translation>Add Quillfern to the right-click menu of your file managers (Dolphin, Nautilus, Nemo, Caja, PCManFM)?</translation>
    </message>
    <message>
        <source>우클릭 메뉴는 이 컴퓨터의 모든 사용자에게 설치되어 있습니다. 빼려면 누리함 패키지를 관리하는 프로그램을 쓰세요.</source>
        <translation>The right-click menu is installed for every user of this computer. To remove it, use the program that manages the Quillfern package.</translation>
    </message>
    <message>
        <source>파일 관리자의 우클릭 메뉴에서 누리함을 뺄까요?</source>
        <translation>Remove Quillfern from your file manager&apos;s right-click menu?</translation>
    </message>
    <message>
        <source>업데이트 확인</source>
        <translation>Check for Updates</translation>
    </message>
    <message>
        <source>최신 버전을 사용하고 있습니다. (%@)</source>
        <translation>You are using the latest version. (%@)</translation>
    </message>
    <message>
        <source>새 버전 %@이(가) 나왔습니다.</source>
        <translation>Version %@ is available.</translation>
    </message>
    <message>
        <source>내려받기 페이지 열기</source>
        <translation>Open Download Page</translation>
    </message>
    <message>
        <source>업데이트를 확인하지 못했습니다.</source>
        <translation>Could not check for updates.</translation>
    </message>
    <message>
        <source>업데이트 확인…</source>
        <translation>Check for Updates…</translation>
    </message>
    <message>
        <source>쓰기 실패: %@</source>
        <translation>Write failed: %@</translation>
    </message>
    <message>
        <source>폴더 생성 실패: %@</source>
        <translation>Could not create folder: %@</translation>
    </message>
    <message>
        <source>읽기 실패: %@</source>
        <translation>Read failed: %@</translation>
    </message>
    <message>
        <source>gzip 해제 실패</source>
        <translation>gzip decompression failed</translation>
    </message>
    <message>
        <source>gzip CRC 불일치</source>
        <translation>gzip CRC mismatch</translation>
    </message>
    <message>
        <source>gzip 크기 불일치</source>
        <translation>gzip length mismatch</translation>
    </message>
    <message>
        <source>이 시스템에서 압축 라이브러리를 사용할 수 없습니다.</source>
        <translation>The archive library is not available on this system.</translation>
    </message>
    <message>
        <source>암호가 걸린 파일입니다. 암호를 입력하세요.</source>
        <translation>This file is password-protected. Enter the password.</translation>
    </message>
    <message>
        <source>암호가 올바르지 않거나 이 포맷의 암호 해제를 지원하지 않습니다.</source>
        <translation>The password is wrong, or decryption is not supported for this format.</translation>
    </message>
    <message>
        <source>압축 처리에 실패했습니다. (%@)</source>
        <translation>The archive could not be processed. (%@)</translation>
    </message>
    <message>
        <source>알 수 없는 오류</source>
        <translation>Unknown error</translation>
    </message>
    <message>
        <source>gzip 데이터 잘림</source>
        <translation>gzip data cut short</translation>
    </message>
    <message>
        <source>메모리 부족</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <source>입력 스트림 매핑</source>
        <translation>input stream mapping</translation>
    </message>
    <message>
        <source>데이터 범위</source>
        <translation>data range</translation>
    </message>
    <message>
        <source>AES 블록</source>
        <translation>AES block</translation>
    </message>
    <message>
        <source>Deflate 해제</source>
        <translation>Deflate decoding</translation>
    </message>
    <message>
        <source>LZMA 해제 (코드 %lld)</source>
        <translation>LZMA decoding (code %lld)</translation>
    </message>
    <message>
        <source>LZMA 속성</source>
        <translation>LZMA properties</translation>
    </message>
    <message>
        <source>코더 ID</source>
        <translation>coder ID</translation>
    </message>
    <message>
        <source>코더 %@ — 7-Zip 기본 설정(LZMA2)으로 다시 압축해 보세요</source>
        <translation>coder %@ — try compressing it again with the 7-Zip defaults (LZMA2)</translation>
    </message>
    <message>
        <source>코더 수</source>
        <translation>coder count</translation>
    </message>
    <message>
        <source>복합 코더</source>
        <translation>complex coder</translation>
    </message>
    <message>
        <source>범위 초과</source>
        <translation>out of range</translation>
    </message>
    <message>
        <source>폴더 CRC</source>
        <translation>folder CRC</translation>
    </message>
    <message>
        <source>LZMA 라이브러리 없음</source>
        <translation>LZMA library missing</translation>
    </message>
    <message>
        <source>AES 속성</source>
        <translation>AES properties</translation>
    </message>
    <message>
        <source>AES 반복 횟수</source>
        <translation>AES iteration count</translation>
    </message>
    <message>
        <source>AES 속성 크기</source>
        <translation>AES properties size</translation>
    </message>
    <message>
        <source>손상된 7z 파일입니다. (%@)</source>
        <translation>The 7z file is damaged. (%@)</translation>
    </message>
    <message>
        <source>지원하지 않는 7z 형식입니다. (%@)</source>
        <translation>This 7z format is not supported. (%@)</translation>
    </message>
    <message>
        <source>7z 파일이 아니거나 손상되었습니다.</source>
        <translation>Not a 7z file, or the file is damaged.</translation>
    </message>
    <message>
        <source>암호가 올바르지 않습니다.</source>
        <translation>The password is wrong.</translation>
    </message>
    <message>
        <source>7z 생성 실패: %@</source>
        <translation>Could not create the 7z file: %@</translation>
    </message>
    <message>
        <source>암호화 처리에 실패했습니다.</source>
        <translation>Encryption failed.</translation>
    </message>
    <message>
        <source>숫자 범위</source>
        <translation>number out of range</translation>
    </message>
    <message>
        <source>Folder 마커</source>
        <translation>Folder marker</translation>
    </message>
    <message>
        <source>외부 폴더 정보</source>
        <translation>external folder information</translation>
    </message>
    <message>
        <source>UnpackSize 마커</source>
        <translation>UnpackSize marker</translation>
    </message>
    <message>
        <source>StreamsInfo 섹션 %lld</source>
        <translation>StreamsInfo section %lld</translation>
    </message>
    <message>
        <source>외부 이름 저장</source>
        <translation>external name storage</translation>
    </message>
    <message>
        <source>스트림 매핑</source>
        <translation>stream mapping</translation>
    </message>
    <message>
        <source>헤더 폴더</source>
        <translation>header folder</translation>
    </message>
    <message>
        <source>헤더 데이터</source>
        <translation>header data</translation>
    </message>
    <message>
        <source>인코딩된 헤더 CRC</source>
        <translation>encoded header CRC</translation>
    </message>
    <message>
        <source>헤더 위치</source>
        <translation>header position</translation>
    </message>
    <message>
        <source>시작 헤더 CRC</source>
        <translation>start header CRC</translation>
    </message>
    <message>
        <source>헤더 CRC</source>
        <translation>header CRC</translation>
    </message>
    <message>
        <source>헤더 시작</source>
        <translation>header start</translation>
    </message>
    <message>
        <source>헤더 섹션 %lld</source>
        <translation>header section %lld</translation>
    </message>
    <message>
        <source>파일 읽기</source>
        <translation>file read</translation>
    </message>
    <message>
        <source>잘못된 경로: %@</source>
        <translation>invalid path: %@</translation>
    </message>
    <message>
        <source>CRC 불일치</source>
        <translation>CRC mismatch</translation>
    </message>
    <message>
        <source>암호 헤더</source>
        <translation>encryption header</translation>
    </message>
    <message>
        <source>AES 정보</source>
        <translation>AES information</translation>
    </message>
    <message>
        <source>AES 데이터</source>
        <translation>AES data</translation>
    </message>
    <message>
        <source>로컬 헤더</source>
        <translation>local header</translation>
    </message>
    <message>
        <source>크기 불일치</source>
        <translation>size mismatch</translation>
    </message>
    <message>
        <source>압축 방식 %u</source>
        <translation>compression method %u</translation>
    </message>
    <message>
        <source>압축 해제 실패</source>
        <translation>decompression failed</translation>
    </message>
    <message>
        <source>ZIP64 (4GB 이상)</source>
        <translation>ZIP64 (over 4 GB)</translation>
    </message>
    <message>
        <source>중앙 디렉터리 위치</source>
        <translation>central directory position</translation>
    </message>
    <message>
        <source>중앙 디렉터리 항목</source>
        <translation>central directory entry</translation>
    </message>
    <message>
        <source>파일명</source>
        <translation>file name</translation>
    </message>
    <message>
        <source>날짜</source>
        <translation>date</translation>
    </message>
    <message>
        <source>손상된 ZIP 파일입니다. (%@)</source>
        <translation>The ZIP file is damaged. (%@)</translation>
    </message>
    <message>
        <source>지원하지 않는 ZIP 형식입니다. (%@)</source>
        <translation>This ZIP format is not supported. (%@)</translation>
    </message>
    <message>
        <source>파일 처리 중 오류가 발생했습니다. (%@)</source>
        <translation>An error occurred while processing the file. (%@)</translation>
    </message>
    <message>
        <source>ZIP 파일이 아니거나 손상되었습니다.</source>
        <translation>Not a ZIP file, or the file is damaged.</translation>
    </message>
    <message>
        <source>%@KB</source>
        <translation>%@ KB</translation>
    </message>
    <message>
        <source>%@MB</source>
        <translation>%@ MB</translation>
    </message>
    <message>
        <source>%@GB</source>
        <translation>%@ GB</translation>
    </message>
    <message>
        <source>%@TB</source>
        <translation>%@ TB</translation>
    </message>
    <message>
        <source>%@PB</source>
        <translation>%@ PB</translation>
    </message>
    <message>
        <source>%@EB</source>
        <translation>%@ EB</translation>
    </message>
    <message>
        <source>0KB</source>
        <translation>Zero KB</translation>
    </message>
    <message>
        <source>1바이트</source>
        <translation>1 byte</translation>
    </message>
    <message>
        <source>%@바이트</source>
        <translation>%@ bytes</translation>
    </message>
    <message>
        <source>시스템 설정 따름</source>
        <translation>Use System Setting</translation>
    </message>
    <message>
        <source>홈 — 파일 해결사</source>
        <translation>Home — File Fixer</translation>
    </message>
    <message>
        <source>파일을 놓으면 문제를 포르랑 해결</source>
        <translation>Drop files, problems fixed in a flash</translation>
    </message>
    <message>
        <source>홈</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>한글 파일명 변환</source>
        <translation>Korean File Names</translation>
    </message>
    <message>
        <source>자모 분리 현상 해결</source>
        <translation>Fix names split into jamo</translation>
    </message>
    <message>
        <source>.DS_Store 청소</source>
        <translation>.DS_Store Cleaner</translation>
    </message>
    <message>
        <source>맥이 남긴 숨김 파일 정리</source>
        <translation>Clean up hidden files left by Macs</translation>
    </message>
    <message>
        <source>압축 도구</source>
        <translation>Archive Tool</translation>
    </message>
    <message>
        <source>한글 깨짐 없는 압축·해제</source>
        <translation>Zip and unzip, Korean intact</translation>
    </message>
    <message>
        <source>파일명 호환 검사</source>
        <translation>File Name Check</translation>
    </message>
    <message>
        <source>Windows에서 안 되는 이름 정리</source>
        <translation>Fix names Windows cannot store</translation>
    </message>
    <message>
        <source>HEIC 사진 변환</source>
        <translation>HEIC Photo Converter</translation>
    </message>
    <message>
        <source>아이폰 사진을 JPG로</source>
        <translation>iPhone photos to JPG</translation>
    </message>
    <message>
        <source>변환</source>
        <translation>Conversion</translation>
    </message>
    <message>
        <source>아이폰 영상 변환</source>
        <translation>iPhone Video Converter</translation>
    </message>
    <message>
        <source>MOV·HEVC를 MP4로</source>
        <translation>MOV and HEVC to MP4</translation>
    </message>
    <message>
        <source>텍스트 인코딩 변환</source>
        <translation>Text Encoding Converter</translation>
    </message>
    <message>
        <source>한글 깨짐·줄바꿈 해결</source>
        <translation>Fix garbled Korean and line breaks</translation>
    </message>
    <message>
        <source>화면 꺼짐·잠자기 막기</source>
        <translation>Keep screen and computer awake</translation>
    </message>
    <message>
        <source>시스템</source>
        <translation>System</translation>
    </message>
    <message>
        <source>맥 설정 스위치</source>
        <translation>Mac Settings Switches</translation>
    </message>
    <message>
        <source>숨은 설정 켜고 끄기</source>
        <translation>Turn hidden settings on and off</translation>
    </message>
    <message>
        <source>정리할 폴더를 여기에 끌어다 놓으세요</source>
        <translation>Drag a folder to clean up here</translation>
    </message>
    <message>
        <source>하위 폴더까지 모두 검사해서 맥이 남긴 숨김 파일을 찾아냅니다</source>
        <translation>Searches every subfolder for hidden files left by Macs</translation>
    </message>
    <message>
        <source>폴더 선택…</source>
        <translation>Choose Folder…</translation>
    </message>
    <message>
        <source>맥은 폴더를 열어보기만 해도 .DS_Store 같은 숨김 파일을 만듭니다. USB나 압축 파일로 Windows 사용자에게 보내면 지저분해 보이는 원인이죠. 찾은 파일은 완전히 삭제하지 않고 휴지통으로 옮기므로 실수해도 되돌릴 수 있습니다.</source>
        <translation>A Mac creates hidden files such as .DS_Store just by opening a folder. Sent to Windows users on a USB stick or in an archive, they make things look messy. The files found are moved to the Trash rather than deleted, so a mistake can be undone.</translation>
    </message>
    <message>
        <source>청소할 폴더를 선택하세요</source>
        <translation>Choose a folder to clean</translation>
    </message>
    <message>
        <source>추가</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>검사 대상</source>
        <translation>Look For</translation>
    </message>
    <message>
        <source>어떤 종류의 파일을 청소할지 선택합니다.</source>
        <translation>Choose which kinds of files to clean.</translation>
    </message>
    <message>
        <source>.DS_Store 파일</source>
        <translation>.DS_Store files</translation>
    </message>
    <message>
        <source>._ 파일 (AppleDouble)</source>
        <translation>._ files (AppleDouble)</translation>
    </message>
    <message>
        <source>__MACOSX 폴더</source>
        <translation>__MACOSX folders</translation>
    </message>
    <message>
        <source>삭제 대기</source>
        <translation>To delete</translation>
    </message>
    <message>
        <source>휴지통으로 이동</source>
        <translation>Move to Trash</translation>
    </message>
    <message>
        <source>이미 깨끗합니다</source>
        <translation>Already clean</translation>
    </message>
    <message numerus="yes">
        <source>%lld개 항목을 검사했지만 청소할 파일이 없습니다.
다른 폴더를 끌어다 놓으면 이어서 검사합니다.</source>
        <translation>
            <numerusform>Checked %lld item and found nothing to clean.
Drop another folder to keep checking.</numerusform>
            <numerusform>Checked %lld items and found nothing to clean.
Drop another folder to keep checking.</numerusform>
        </translation>
    </message>
    <message>
        <source>청소 대상 %lld개 (%@)</source>
        <translation>%lld to clean (%@)</translation>
    </message>
    <message>
        <source>검사 %lld개</source>
        <translation>%lld checked</translation>
    </message>
    <message numerus="yes">
        <source>%lld개 휴지통으로</source>
        <translation>
            <numerusform>Move %lld Item to Trash</numerusform>
            <numerusform>Move %lld Items to Trash</numerusform>
        </translation>
    </message>
    <message>
        <source>읽을 말씀이 한 줄도 없습니다</source>
        <translation>it holds no word to show</translation>
    </message>
    <message>
        <source>열 수 없습니다 (%@)</source>
        <translation>it cannot be opened (%@)</translation>
    </message>
    <message>
        <source>일반 파일이 아닙니다</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>4MiB보다 큽니다</source>
        <translation>it is larger than 4 MiB</translation>
    </message>
    <message>
        <source>읽을 수 없습니다 (%@)</source>
        <translation>it cannot be read (%@)</translation>
    </message>
    <message>
        <source>UTF-8 텍스트가 아닙니다</source>
        <translation>it is not UTF-8 text</translation>
    </message>
    <message>
        <source>태초에 하나님이 천지를 창조하시니라</source>
        <translation>In the beginning God created the heaven and the earth</translation>
    </message>
    <message>
        <source>창세기 1:1</source>
        <translation>Genesis 1:1</translation>
    </message>
    <message>
        <source>하나님이 가라사대 빛이 있으라 하시매 빛이 있었고</source>
        <translation>And God said, Let there be light: and there was light</translation>
    </message>
    <message>
        <source>창세기 1:3</source>
        <translation>Genesis 1:3</translation>
    </message>
    <message>
        <source>하나님이 그 지으신 모든 것을 보시니 보시기에 심히 좋았더라</source>
        <translation>And God saw every thing that he had made, and, behold, it was very good</translation>
    </message>
    <message>
        <source>창세기 1:31</source>
        <translation>Genesis 1:31</translation>
    </message>
    <message>
        <source>여호와께서 아브람에게 이르시되 너는 너의 본토 친척 아비 집을 떠나 내가 네게 지시할 땅으로 가라</source>
        <translation>Now the LORD had said unto Abram, Get thee out of thy country, and from thy kindred, and from thy father&apos;s house, unto a land that I will shew thee</translation>
    </message>
    <message>
        <source>창세기 12:1</source>
        <translation>Genesis 12:1</translation>
    </message>
    <message>
        <source>아브람이 여호와를 믿으니 여호와께서 이를 그의 의로 여기시고</source>
        <translation>And he believed in the LORD; and he counted it to him for righteousness</translation>
    </message>
    <message>
        <source>창세기 15:6</source>
        <translation>Genesis 15:6</translation>
    </message>
    <message>
        <source>여호와께 능치 못한 일이 있겠느냐</source>
        <translation>Is any thing too hard for the LORD?</translation>
    </message>
    <message>
        <source>창세기 18:14</source>
        <translation>Genesis 18:14</translation>
    </message>
    <message>
        <source>내가 너와 함께 있어 네가 어디로 가든지 너를 지키며</source>
        <translation>I am with thee, and will keep thee in all places whither thou goest</translation>
    </message>
    <message>
        <source>창세기 28:15</source>
        <translation>Genesis 28:15</translation>
    </message>
    <message>
        <source>당신들은 나를 해하려 하였으나 하나님은 그것을 선으로 바꾸사</source>
        <translation>But as for you, ye thought evil against me; but God meant it unto good</translation>
    </message>
    <message>
        <source>창세기 50:20</source>
        <translation>Genesis 50:20</translation>
    </message>
    <message>
        <source>하나님이 모세에게 이르시되 나는 스스로 있는 자니라</source>
        <translation>And God said unto Moses, I AM THAT I AM</translation>
    </message>
    <message>
        <source>출애굽기 3:14</source>
        <translation>Exodus 3:14</translation>
    </message>
    <message>
        <source>여호와께서 너희를 위하여 싸우시리니 너희는 가만히 있을지니라</source>
        <translation>The LORD shall fight for you, and ye shall hold your peace</translation>
    </message>
    <message>
        <source>출애굽기 14:14</source>
        <translation>Exodus 14:14</translation>
    </message>
    <message>
        <source>여호와는 나의 힘이요 노래시며 나의 구원이시로다</source>
        <translation>The LORD is my strength and song, and he is become my salvation</translation>
    </message>
    <message>
        <source>출애굽기 15:2</source>
        <translation>Exodus 15:2</translation>
    </message>
    <message>
        <source>나는 너희를 치료하는 여호와임이니라</source>
        <translation>For I am the LORD that healeth thee</translation>
    </message>
    <message>
        <source>출애굽기 15:26</source>
        <translation>Exodus 15:26</translation>
    </message>
    <message>
        <source>너는 나 외에는 다른 신들을 네게 있게 말찌니라</source>
        <translation>Thou shalt have no other gods before me</translation>
    </message>
    <message>
        <source>출애굽기 20:3</source>
        <translation>Exodus 20:3</translation>
    </message>
    <message>
        <source>네 부모를 공경하라 그리하면 너의 하나님 나 여호와가 네게 준 땅에서 네 생명이 길리라</source>
        <translation>Honour thy father and thy mother: that thy days may be long upon the land which the LORD thy God giveth thee</translation>
    </message>
    <message>
        <source>출애굽기 20:12</source>
        <translation>Exodus 20:12</translation>
    </message>
    <message>
        <source>내가 친히 가리라 내가 너로 편케 하리라</source>
        <translation>My presence shall go with thee, and I will give thee rest</translation>
    </message>
    <message>
        <source>출애굽기 33:14</source>
        <translation>Exodus 33:14</translation>
    </message>
    <message>
        <source>너희는 거룩하라 나 여호와 너희 하나님이 거룩함이니라</source>
        <translation>Ye shall be holy: for I the LORD your God am holy</translation>
    </message>
    <message>
        <source>레위기 19:2</source>
        <translation>Leviticus 19:2</translation>
    </message>
    <message>
        <source>이웃 사랑하기를 네 몸과 같이 하라 나는 여호와니라</source>
        <translation>Thou shalt love thy neighbour as thyself: I am the LORD</translation>
    </message>
    <message>
        <source>레위기 19:18</source>
        <translation>Leviticus 19:18</translation>
    </message>
    <message>
        <source>여호와는 네게 복을 주시고 너를 지키시기를 원하며 여호와는 그 얼굴로 네게 비취사 은혜 베푸시기를 원하며 여호와는 그 얼굴을 네게로 향하여 드사 평강 주시기를 원하노라</source>
        <translation>The LORD bless thee, and keep thee: The LORD make his face shine upon thee, and be gracious unto thee: The LORD lift up his countenance upon thee, and give thee peace</translation>
    </message>
    <message>
        <source>민수기 6:24-26</source>
        <translation>Numbers 6:24-26</translation>
    </message>
    <message>
        <source>하나님은 인생이 아니시니 식언치 않으시고</source>
        <translation>God is not a man, that he should lie</translation>
    </message>
    <message>
        <source>민수기 23:19</source>
        <translation>Numbers 23:19</translation>
    </message>
    <message>
        <source>이스라엘아 들으라 우리 하나님 여호와는 오직 하나인 여호와시니</source>
        <translation>Hear, O Israel: The LORD our God is one LORD</translation>
    </message>
    <message>
        <source>신명기 6:4</source>
        <translation>Deuteronomy 6:4</translation>
    </message>
    <message>
        <source>너는 마음을 다하고 성품을 다하고 힘을 다하여 네 하나님 여호와를 사랑하라</source>
        <translation>And thou shalt love the LORD thy God with all thine heart, and with all thy soul, and with all thy might</translation>
    </message>
    <message>
        <source>신명기 6:5</source>
        <translation>Deuteronomy 6:5</translation>
    </message>
    <message>
        <source>사람이 떡으로만 사는 것이 아니요 여호와의 입에서 나오는 모든 말씀으로 사는 줄을 너로 알게하려 하심이니라</source>
        <translation>That he might make thee know that man doth not live by bread only, but by every word that proceedeth out of the mouth of the LORD doth man live</translation>
    </message>
    <message>
        <source>신명기 8:3</source>
        <translation>Deuteronomy 8:3</translation>
    </message>
    <message>
        <source>너는 마음을 강하게 하고 담대히 하라 그들을 두려워 말라 그들 앞에서 떨지 말라 이는 네 하나님 여호와 그가 너와 함께 행하실 것임이라</source>
        <translation>Be strong and of a good courage, fear not, nor be afraid of them: for the LORD thy God, he it is that doth go with thee</translation>
    </message>
    <message>
        <source>신명기 31:6</source>
        <translation>Deuteronomy 31:6</translation>
    </message>
    <message>
        <source>영원하신 하나님이 너의 처소가 되시니 그 영원하신 팔이 네 아래 있도다</source>
        <translation>The eternal God is thy refuge, and underneath are the everlasting arms</translation>
    </message>
    <message>
        <source>신명기 33:27</source>
        <translation>Deuteronomy 33:27</translation>
    </message>
    <message>
        <source>내가 네게 명한 것이 아니냐 마음을 강하게 하고 담대히 하라 두려워 말며 놀라지 말라 네가 어디로 가든지 네 하나님 여호와가 너와 함께 하느니라</source>
        <translation>Have not I commanded thee? Be strong and of a good courage; be not afraid, neither be thou dismayed: for the LORD thy God is with thee whithersoever thou goest</translation>
    </message>
    <message>
        <source>여호수아 1:9</source>
        <translation>Joshua 1:9</translation>
    </message>
    <message>
        <source>오직 나와 내 집은 여호와를 섬기겠노라</source>
        <translation>But as for me and my house, we will serve the LORD</translation>
    </message>
    <message>
        <source>여호수아 24:15</source>
        <translation>Joshua 24:15</translation>
    </message>
    <message>
        <source>어머니의 백성이 나의 백성이 되고 어머니의 하나님이 나의 하나님이 되시리니</source>
        <translation>Thy people shall be my people, and thy God my God</translation>
    </message>
    <message>
        <source>룻기 1:16</source>
        <translation>Ruth 1:16</translation>
    </message>
    <message>
        <source>여호와와 같이 거룩하신 이가 없으시니 이는 주 밖에 다른 이가 없고 우리 하나님 같은 반석도 없으심이니이다</source>
        <translation>There is none holy as the LORD: for there is none beside thee: neither is there any rock like our God</translation>
    </message>
    <message>
        <source>사무엘상 2:2</source>
        <translation>1 Samuel 2:2</translation>
    </message>
    <message>
        <source>순종이 제사보다 낫고 듣는것이 수양의 기름보다 나으니</source>
        <translation>To obey is better than sacrifice, and to hearken than the fat of rams</translation>
    </message>
    <message>
        <source>사무엘상 15:22</source>
        <translation>1 Samuel 15:22</translation>
    </message>
    <message>
        <source>사람은 외모를 보거니와 나 여호와는 중심을 보느니라</source>
        <translation>Man looketh on the outward appearance, but the LORD looketh on the heart</translation>
    </message>
    <message>
        <source>사무엘상 16:7</source>
        <translation>1 Samuel 16:7</translation>
    </message>
    <message>
        <source>여호와는 나의 반석이시요 나의 요새시요 나를 건지시는 자시요</source>
        <translation>The LORD is my rock, and my fortress, and my deliverer</translation>
    </message>
    <message>
        <source>사무엘하 22:2</source>
        <translation>2 Samuel 22:2</translation>
    </message>
    <message>
        <source>여호와와 그 능력을 구할찌어다 그 얼굴을 항상 구할찌어다</source>
        <translation>Seek the LORD and his strength, seek his face continually</translation>
    </message>
    <message>
        <source>역대상 16:11</source>
        <translation>1 Chronicles 16:11</translation>
    </message>
    <message>
        <source>여호와께 감사하라 그는 선하시며 그 인자하심이 영원함이로다</source>
        <translation>O give thanks unto the LORD; for he is good; for his mercy endureth for ever</translation>
    </message>
    <message>
        <source>역대상 16:34</source>
        <translation>1 Chronicles 16:34</translation>
    </message>
    <message>
        <source>내 이름으로 일컫는 내 백성이 그 악한 길에서 떠나 스스로 겸비하고 기도하여 내 얼굴을 구하면 내가 하늘에서 듣고 그 죄를 사하고 그 땅을 고칠찌라</source>
        <translation>If my people, which are called by my name, shall humble themselves, and pray, and seek my face, and turn from their wicked ways; then will I hear from heaven, and will forgive their sin, and will heal their land</translation>
    </message>
    <message>
        <source>역대하 7:14</source>
        <translation>2 Chronicles 7:14</translation>
    </message>
    <message>
        <source>여호와의 눈은 온 땅을 두루 감찰하사 전심으로 자기에게 향하는 자를 위하여 능력을 베푸시나니</source>
        <translation>For the eyes of the LORD run to and fro throughout the whole earth, to shew himself strong in the behalf of them whose heart is perfect toward him</translation>
    </message>
    <message>
        <source>역대하 16:9</source>
        <translation>2 Chronicles 16:9</translation>
    </message>
    <message>
        <source>여호와를 기뻐하는 것이 너희의 힘이니라</source>
        <translation>The joy of the LORD is your strength</translation>
    </message>
    <message>
        <source>느헤미야 8:10</source>
        <translation>Nehemiah 8:10</translation>
    </message>
    <message>
        <source>주신 자도 여호와시요 취하신 자도 여호와시오니 여호와의 이름이 찬송을 받으실찌니이다</source>
        <translation>The LORD gave, and the LORD hath taken away; blessed be the name of the LORD</translation>
    </message>
    <message>
        <source>욥기 1:21</source>
        <translation>Job 1:21</translation>
    </message>
    <message>
        <source>네 시작은 미약하였으나 네 나중은 심히 창대하리라</source>
        <translation>Though thy beginning was small, yet thy latter end should greatly increase</translation>
    </message>
    <message>
        <source>욥기 8:7</source>
        <translation>Job 8:7</translation>
    </message>
    <message>
        <source>내가 알기에는 나의 구속자가 살아 계시니 후일에 그가 땅 위에 서실 것이라</source>
        <translation>For I know that my redeemer liveth, and that he shall stand at the latter day upon the earth</translation>
    </message>
    <message>
        <source>욥기 19:25</source>
        <translation>Job 19:25</translation>
    </message>
    <message>
        <source>나의 가는 길을 오직 그가 아시나니 그가 나를 단련하신 후에는 내가 정금 같이 나오리라</source>
        <translation>He knoweth the way that I take: when he hath tried me, I shall come forth as gold</translation>
    </message>
    <message>
        <source>욥기 23:10</source>
        <translation>Job 23:10</translation>
    </message>
    <message>
        <source>복 있는 사람은 악인의 꾀를 좇지 아니하며 죄인의 길에 서지 아니하며 오만한 자의 자리에 앉지 아니하고</source>
        <translation>Blessed is the man that walketh not in the counsel of the ungodly, nor standeth in the way of sinners, nor sitteth in the seat of the scornful</translation>
    </message>
    <message>
        <source>시편 1:1</source>
        <translation>Psalm 1:1</translation>
    </message>
    <message>
        <source>오직 여호와의 율법을 즐거워하여 그 율법을 주야로 묵상하는 자로다</source>
        <translation>But his delight is in the law of the LORD; and in his law doth he meditate day and night</translation>
    </message>
    <message>
        <source>시편 1:2</source>
        <translation>Psalm 1:2</translation>
    </message>
    <message>
        <source>내가 누워 자고 깨었으니 여호와께서 나를 붙드심이로다</source>
        <translation>I laid me down and slept; I awaked; for the LORD sustained me</translation>
    </message>
    <message>
        <source>시편 3:5</source>
        <translation>Psalm 3:5</translation>
    </message>
    <message>
        <source>내가 평안히 눕고 자기도 하리니 나를 안전히 거하게 하시는 이는 오직 여호와시니이다</source>
        <translation>I will both lay me down in peace, and sleep: for thou, LORD, only makest me dwell in safety</translation>
    </message>
    <message>
        <source>시편 4:8</source>
        <translation>Psalm 4:8</translation>
    </message>
    <message>
        <source>여호와여 아침에 주께서 나의 소리를 들으시리니 아침에 내가 주께 기도하고 바라리이다</source>
        <translation>My voice shalt thou hear in the morning, O LORD; in the morning will I direct my prayer unto thee, and will look up</translation>
    </message>
    <message>
        <source>시편 5:3</source>
        <translation>Psalm 5:3</translation>
    </message>
    <message>
        <source>여호와 우리 주여 주의 이름이 온 땅에 어찌 그리 아름다운지요</source>
        <translation>O LORD our Lord, how excellent is thy name in all the earth!</translation>
    </message>
    <message>
        <source>시편 8:1</source>
        <translation>Psalm 8:1</translation>
    </message>
    <message>
        <source>내가 여호와를 항상 내 앞에 모심이여 그가 내 우편에 계시므로 내가 요동치 아니하리로다</source>
        <translation>I have set the LORD always before me: because he is at my right hand, I shall not be moved</translation>
    </message>
    <message>
        <source>시편 16:8</source>
        <translation>Psalm 16:8</translation>
    </message>
    <message>
        <source>주께서 생명의 길로 내게 보이시리니 주의 앞에는 기쁨이 충만하고 주의 우편에는 영원한 즐거움이 있나이다</source>
        <translation>Thou wilt shew me the path of life: in thy presence is fulness of joy; at thy right hand there are pleasures for evermore</translation>
    </message>
    <message>
        <source>시편 16:11</source>
        <translation>Psalm 16:11</translation>
    </message>
    <message>
        <source>나의 힘이 되신 여호와여 내가 주를 사랑하나이다</source>
        <translation>I will love thee, O LORD, my strength</translation>
    </message>
    <message>
        <source>시편 18:1</source>
        <translation>Psalm 18:1</translation>
    </message>
    <message>
        <source>하늘이 하나님의 영광을 선포하고 궁창이 그 손으로 하신 일을 나타내는도다</source>
        <translation>The heavens declare the glory of God; and the firmament sheweth his handywork</translation>
    </message>
    <message>
        <source>시편 19:1</source>
        <translation>Psalm 19:1</translation>
    </message>
    <message>
        <source>여호와의 율법은 완전하여 영혼을 소성케 하고 여호와의 증거는 확실하여 우둔한 자로 지혜롭게 하며</source>
        <translation>The law of the LORD is perfect, converting the soul: the testimony of the LORD is sure, making wise the simple</translation>
    </message>
    <message>
        <source>시편 19:7</source>
        <translation>Psalm 19:7</translation>
    </message>
    <message>
        <source>나의 반석이시요 나의 구속자이신 여호와여 내 입의 말과 마음의 묵상이 주의 앞에 열납되기를 원하나이다</source>
        <translation>Let the words of my mouth, and the meditation of my heart, be acceptable in thy sight, O LORD, my strength, and my redeemer</translation>
    </message>
    <message>
        <source>시편 19:14</source>
        <translation>Psalm 19:14</translation>
    </message>
    <message>
        <source>여호와는 나의 목자시니 내가 부족함이 없으리로다</source>
        <translation>The LORD is my shepherd; I shall not want</translation>
    </message>
    <message>
        <source>시편 23:1</source>
        <translation>Psalm 23:1</translation>
    </message>
    <message>
        <source>그가 나를 푸른 초장에 누이시며 쉴만한 물 가으로 인도하시는도다</source>
        <translation>He maketh me to lie down in green pastures: he leadeth me beside the still waters</translation>
    </message>
    <message>
        <source>시편 23:2</source>
        <translation>Psalm 23:2</translation>
    </message>
    <message>
        <source>내 영혼을 소생시키시고 자기 이름을 위하여 의의 길로 인도하시는도다</source>
        <translation>He restoreth my soul: he leadeth me in the paths of righteousness for his name&apos;s sake</translation>
    </message>
    <message>
        <source>시편 23:3</source>
        <translation>Psalm 23:3</translation>
    </message>
    <message>
        <source>내가 사망의 음침한 골짜기로 다닐찌라도 해를 두려워하지 않을 것은 주께서 나와 함께 하심이라 주의 지팡이와 막대기가 나를 안위하시나이다</source>
        <translation>Yea, though I walk through the valley of the shadow of death, I will fear no evil: for thou art with me; thy rod and thy staff they comfort me</translation>
    </message>
    <message>
        <source>시편 23:4</source>
        <translation>Psalm 23:4</translation>
    </message>
    <message>
        <source>나의 평생에 선하심과 인자하심이 정녕 나를 따르리니 내가 여호와의 집에 영원히 거하리로다</source>
        <translation>Surely goodness and mercy shall follow me all the days of my life: and I will dwell in the house of the LORD for ever</translation>
    </message>
    <message>
        <source>시편 23:6</source>
        <translation>Psalm 23:6</translation>
    </message>
    <message>
        <source>땅과 거기 충만한 것과 세계와 그 중에 거하는 자가 다 여호와의 것이로다</source>
        <translation>The earth is the LORD&apos;s, and the fulness thereof; the world, and they that dwell therein</translation>
    </message>
    <message>
        <source>시편 24:1</source>
        <translation>Psalm 24:1</translation>
    </message>
    <message>
        <source>여호와는 나의 빛이요 나의 구원이시니 내가 누구를 두려워하리요 여호와는 내 생명의 능력이시니 내가 누구를 무서워하리요</source>
        <translation>The LORD is my light and my salvation; whom shall I fear? the LORD is the strength of my life; of whom shall I be afraid?</translation>
    </message>
    <message>
        <source>시편 27:1</source>
        <translation>Psalm 27:1</translation>
    </message>
    <message>
        <source>너는 여호와를 바랄찌어다 강하고 담대하며 여호와를 바랄찌어다</source>
        <translation>Wait on the LORD: be of good courage, and he shall strengthen thine heart: wait, I say, on the LORD</translation>
    </message>
    <message>
        <source>시편 27:14</source>
        <translation>Psalm 27:14</translation>
    </message>
    <message>
        <source>그 노염은 잠간이요 그 은총은 평생이로다 저녁에는 울음이 기숙할찌라도 아침에는 기쁨이 오리로다</source>
        <translation>For his anger endureth but a moment; in his favour is life: weeping may endure for a night, but joy cometh in the morning</translation>
    </message>
    <message>
        <source>시편 30:5</source>
        <translation>Psalm 30:5</translation>
    </message>
    <message>
        <source>내가 여호와를 항상 송축함이여 그를 송축함이 내 입에 계속하리로다</source>
        <translation>I will bless the LORD at all times: his praise shall continually be in my mouth</translation>
    </message>
    <message>
        <source>시편 34:1</source>
        <translation>Psalm 34:1</translation>
    </message>
    <message>
        <source>너희는 여호와의 선하심을 맛보아 알찌어다 그에게 피하는 자는 복이 있도다</source>
        <translation>O taste and see that the LORD is good: blessed is the man that trusteth in him</translation>
    </message>
    <message>
        <source>시편 34:8</source>
        <translation>Psalm 34:8</translation>
    </message>
    <message>
        <source>여호와는 마음이 상한 자에게 가까이 하시고 중심에 통회하는 자를 구원하시는도다</source>
        <translation>The LORD is nigh unto them that are of a broken heart; and saveth such as be of a contrite spirit</translation>
    </message>
    <message>
        <source>시편 34:18</source>
        <translation>Psalm 34:18</translation>
    </message>
    <message>
        <source>여호와여 주의 인자하심이 하늘에 있고 주의 성실하심이 공중에 사무쳤으며</source>
        <translation>Thy mercy, O LORD, is in the heavens; and thy faithfulness reacheth unto the clouds</translation>
    </message>
    <message>
        <source>시편 36:5</source>
        <translation>Psalm 36:5</translation>
    </message>
    <message>
        <source>대저 생명의 원천이 주께 있사오니 주의 광명 중에 우리가 광명을 보리이다</source>
        <translation>For with thee is the fountain of life: in thy light shall we see light</translation>
    </message>
    <message>
        <source>시편 36:9</source>
        <translation>Psalm 36:9</translation>
    </message>
    <message>
        <source>또 여호와를 기뻐하라 저가 네 마음의 소원을 이루어 주시리로다</source>
        <translation>Delight thyself also in the LORD; and he shall give thee the desires of thine heart</translation>
    </message>
    <message>
        <source>시편 37:4</source>
        <translation>Psalm 37:4</translation>
    </message>
    <message>
        <source>너의 길을 여호와께 맡기라 저를 의지하면 저가 이루시고</source>
        <translation>Commit thy way unto the LORD; trust also in him; and he shall bring it to pass</translation>
    </message>
    <message>
        <source>시편 37:5</source>
        <translation>Psalm 37:5</translation>
    </message>
    <message>
        <source>여호와 앞에 잠잠하고 참아 기다리라</source>
        <translation>Rest in the LORD, and wait patiently for him</translation>
    </message>
    <message>
        <source>시편 37:7</source>
        <translation>Psalm 37:7</translation>
    </message>
    <message>
        <source>여호와께서 사람의 걸음을 정하시고 그 길을 기뻐하시나니</source>
        <translation>The steps of a good man are ordered by the LORD: and he delighteth in his way</translation>
    </message>
    <message>
        <source>시편 37:23</source>
        <translation>Psalm 37:23</translation>
    </message>
    <message>
        <source>내가 여호와를 기다리고 기다렸더니 귀를 기울이사 나의 부르짖음을 들으셨도다</source>
        <translation>I waited patiently for the LORD; and he inclined unto me, and heard my cry</translation>
    </message>
    <message>
        <source>시편 40:1</source>
        <translation>Psalm 40:1</translation>
    </message>
    <message>
        <source>하나님이여 사슴이 시냇물을 찾기에 갈급함 같이 내 영혼이 주를 찾기에 갈급하니이다</source>
        <translation>As the hart panteth after the water brooks, so panteth my soul after thee, O God</translation>
    </message>
    <message>
        <source>시편 42:1</source>
        <translation>Psalm 42:1</translation>
    </message>
    <message>
        <source>내 영혼아 네가 어찌하여 낙망하며 어찌하여 내 속에서 불안하여 하는고 너는 하나님을 바라라</source>
        <translation>Why art thou cast down, O my soul? and why art thou disquieted in me? hope thou in God</translation>
    </message>
    <message>
        <source>시편 42:5</source>
        <translation>Psalm 42:5</translation>
    </message>
    <message>
        <source>하나님은 우리의 피난처시요 힘이시니 환난 중에 만날 큰 도움이시라</source>
        <translation>God is our refuge and strength, a very present help in trouble</translation>
    </message>
    <message>
        <source>시편 46:1</source>
        <translation>Psalm 46:1</translation>
    </message>
    <message>
        <source>이르시기를 너희는 가만히 있어 내가 하나님 됨을 알찌어다</source>
        <translation>Be still, and know that I am God</translation>
    </message>
    <message>
        <source>시편 46:10</source>
        <translation>Psalm 46:10</translation>
    </message>
    <message>
        <source>환난 날에 나를 부르라 내가 너를 건지리니 네가 나를 영화롭게 하리로다</source>
        <translation>And call upon me in the day of trouble: I will deliver thee, and thou shalt glorify me</translation>
    </message>
    <message>
        <source>시편 50:15</source>
        <translation>Psalm 50:15</translation>
    </message>
    <message>
        <source>하나님이여 내 속에 정한 마음을 창조하시고 내 안에 정직한 영을 새롭게 하소서</source>
        <translation>Create in me a clean heart, O God; and renew a right spirit within me</translation>
    </message>
    <message>
        <source>시편 51:10</source>
        <translation>Psalm 51:10</translation>
    </message>
    <message>
        <source>주의 구원의 즐거움을 내게 회복시키시고 자원하는 심령을 주사 나를 붙드소서</source>
        <translation>Restore unto me the joy of thy salvation; and uphold me with thy free spirit</translation>
    </message>
    <message>
        <source>시편 51:12</source>
        <translation>Psalm 51:12</translation>
    </message>
    <message>
        <source>하나님의 구하시는 제사는 상한 심령이라 하나님이여 상하고 통회하는 마음을 주께서 멸시치 아니하시리이다</source>
        <translation>The sacrifices of God are a broken spirit: a broken and a contrite heart, O God, thou wilt not despise</translation>
    </message>
    <message>
        <source>시편 51:17</source>
        <translation>Psalm 51:17</translation>
    </message>
    <message>
        <source>네 짐을 여호와께 맡겨 버리라 너를 붙드시고 의인의 요동함을 영영히 허락지 아니하시리로다</source>
        <translation>Cast thy burden upon the LORD, and he shall sustain thee: he shall never suffer the righteous to be moved</translation>
    </message>
    <message>
        <source>시편 55:22</source>
        <translation>Psalm 55:22</translation>
    </message>
    <message>
        <source>내가 두려워하는 날에는 주를 의지하리이다</source>
        <translation>What time I am afraid, I will trust in thee</translation>
    </message>
    <message>
        <source>시편 56:3</source>
        <translation>Psalm 56:3</translation>
    </message>
    <message>
        <source>나의 영혼이 잠잠히 하나님만 바람이여 나의 구원이 그에게서 나는도다</source>
        <translation>Truly my soul waiteth upon God: from him cometh my salvation</translation>
    </message>
    <message>
        <source>시편 62:1</source>
        <translation>Psalm 62:1</translation>
    </message>
    <message>
        <source>나의 구원과 영광이 하나님께 있음이여 내 힘의 반석과 피난처도 하나님께 있도다</source>
        <translation>In God is my salvation and my glory: the rock of my strength, and my refuge, is in God</translation>
    </message>
    <message>
        <source>시편 62:7</source>
        <translation>Psalm 62:7</translation>
    </message>
    <message>
        <source>백성들아 시시로 저를 의지하고 그 앞에 마음을 토하라 하나님은 우리의 피난처시로다</source>
        <translation>Trust in him at all times; ye people, pour out your heart before him: God is a refuge for us</translation>
    </message>
    <message>
        <source>시편 62:8</source>
        <translation>Psalm 62:8</translation>
    </message>
    <message>
        <source>하나님이여 주는 나의 하나님이시라 내가 간절히 주를 찾되</source>
        <translation>O God, thou art my God; early will I seek thee</translation>
    </message>
    <message>
        <source>시편 63:1</source>
        <translation>Psalm 63:1</translation>
    </message>
    <message>
        <source>주의 인자가 생명보다 나으므로 내 입술이 주를 찬양할 것이라</source>
        <translation>Because thy lovingkindness is better than life, my lips shall praise thee</translation>
    </message>
    <message>
        <source>시편 63:3</source>
        <translation>Psalm 63:3</translation>
    </message>
    <message>
        <source>날마다 우리 짐을 지시는 주 곧 우리의 구원이신 하나님을 찬송할찌로다</source>
        <translation>Blessed be the Lord, who daily loadeth us with benefits, even the God of our salvation</translation>
    </message>
    <message>
        <source>시편 68:19</source>
        <translation>Psalm 68:19</translation>
    </message>
    <message>
        <source>내 육체와 마음은 쇠잔하나 하나님은 내 마음의 반석이시요 영원한 분깃이시라</source>
        <translation>My flesh and my heart faileth: but God is the strength of my heart, and my portion for ever</translation>
    </message>
    <message>
        <source>시편 73:26</source>
        <translation>Psalm 73:26</translation>
    </message>
    <message>
        <source>하나님께 가까이 함이 내게 복이라</source>
        <translation>But it is good for me to draw near to God</translation>
    </message>
    <message>
        <source>시편 73:28</source>
        <translation>Psalm 73:28</translation>
    </message>
    <message>
        <source>주의 궁정에서 한 날이 다른 곳에서 천날보다 나은즉</source>
        <translation>For a day in thy courts is better than a thousand</translation>
    </message>
    <message>
        <source>시편 84:10</source>
        <translation>Psalm 84:10</translation>
    </message>
    <message>
        <source>여호와 하나님은 해요 방패시라</source>
        <translation>For the LORD God is a sun and shield</translation>
    </message>
    <message>
        <source>시편 84:11</source>
        <translation>Psalm 84:11</translation>
    </message>
    <message>
        <source>주여 주는 대대에 우리의 거처가 되셨나이다</source>
        <translation>Lord, thou hast been our dwelling place in all generations</translation>
    </message>
    <message>
        <source>시편 90:1</source>
        <translation>Psalm 90:1</translation>
    </message>
    <message>
        <source>주의 목전에는 천년이 지나간 어제 같으며 밤의 한 경점 같을 뿐임이니이다</source>
        <translation>For a thousand years in thy sight are but as yesterday when it is past, and as a watch in the night</translation>
    </message>
    <message>
        <source>시편 90:4</source>
        <translation>Psalm 90:4</translation>
    </message>
    <message>
        <source>우리에게 우리 날 계수함을 가르치사 지혜의 마음을 얻게 하소서</source>
        <translation>So teach us to number our days, that we may apply our hearts unto wisdom</translation>
    </message>
    <message>
        <source>시편 90:12</source>
        <translation>Psalm 90:12</translation>
    </message>
    <message>
        <source>아침에 주의 인자로 우리를 만족케 하사 우리 평생에 즐겁고 기쁘게 하소서</source>
        <translation>O satisfy us early with thy mercy; that we may rejoice and be glad all our days</translation>
    </message>
    <message>
        <source>시편 90:14</source>
        <translation>Psalm 90:14</translation>
    </message>
    <message>
        <source>지존자의 은밀한 곳에 거하는 자는 전능하신 자의 그늘 아래 거하리로다</source>
        <translation>He that dwelleth in the secret place of the most High shall abide under the shadow of the Almighty</translation>
    </message>
    <message>
        <source>시편 91:1</source>
        <translation>Psalm 91:1</translation>
    </message>
    <message>
        <source>내가 여호와를 가리켜 말하기를 저는 나의 피난처요 나의 요새요 나의 의뢰하는 하나님이라 하리니</source>
        <translation>I will say of the LORD, He is my refuge and my fortress: my God; in him will I trust</translation>
    </message>
    <message>
        <source>시편 91:2</source>
        <translation>Psalm 91:2</translation>
    </message>
    <message>
        <source>저가 너를 위하여 그 사자들을 명하사 네 모든 길에 너를 지키게 하심이라</source>
        <translation>For he shall give his angels charge over thee, to keep thee in all thy ways</translation>
    </message>
    <message>
        <source>시편 91:11</source>
        <translation>Psalm 91:11</translation>
    </message>
    <message>
        <source>오라 우리가 굽혀 경배하며 우리를 지으신 여호와 앞에 무릎을 꿇자</source>
        <translation>O come, let us worship and bow down: let us kneel before the LORD our maker</translation>
    </message>
    <message>
        <source>시편 95:6</source>
        <translation>Psalm 95:6</translation>
    </message>
    <message>
        <source>새 노래로 여호와께 노래하라 온 땅이여 여호와께 노래할찌어다</source>
        <translation>O sing unto the LORD a new song: sing unto the LORD, all the earth</translation>
    </message>
    <message>
        <source>시편 96:1</source>
        <translation>Psalm 96:1</translation>
    </message>
    <message>
        <source>온 땅이여 여호와께 즐거이 부를찌어다</source>
        <translation>Make a joyful noise unto the LORD, all ye lands</translation>
    </message>
    <message>
        <source>시편 100:1</source>
        <translation>Psalm 100:1</translation>
    </message>
    <message>
        <source>기쁨으로 여호와를 섬기며 노래하면서 그 앞에 나아갈찌어다</source>
        <translation>Serve the LORD with gladness: come before his presence with singing</translation>
    </message>
    <message>
        <source>시편 100:2</source>
        <translation>Psalm 100:2</translation>
    </message>
    <message>
        <source>감사함으로 그 문에 들어가며 찬송함으로 그 궁정에 들어가서 그에게 감사하며 그 이름을 송축할찌어다</source>
        <translation>Enter into his gates with thanksgiving, and into his courts with praise: be thankful unto him, and bless his name</translation>
    </message>
    <message>
        <source>시편 100:4</source>
        <translation>Psalm 100:4</translation>
    </message>
    <message>
        <source>내 영혼아 여호와를 송축하라 내 속에 있는 것들아 다 그 성호를 송축하라</source>
        <translation>Bless the LORD, O my soul: and all that is within me, bless his holy name</translation>
    </message>
    <message>
        <source>시편 103:1</source>
        <translation>Psalm 103:1</translation>
    </message>
    <message>
        <source>내 영혼아 여호와를 송축하며 그 모든 은택을 잊지 말찌어다</source>
        <translation>Bless the LORD, O my soul, and forget not all his benefits</translation>
    </message>
    <message>
        <source>시편 103:2</source>
        <translation>Psalm 103:2</translation>
    </message>
    <message>
        <source>여호와는 자비로우시며 은혜로우시며 노하기를 더디 하시며 인자하심이 풍부하시도다</source>
        <translation>The LORD is merciful and gracious, slow to anger, and plenteous in mercy</translation>
    </message>
    <message>
        <source>시편 103:8</source>
        <translation>Psalm 103:8</translation>
    </message>
    <message>
        <source>동이 서에서 먼 것 같이 우리 죄과를 우리에게서 멀리 옮기셨으며</source>
        <translation>As far as the east is from the west, so far hath he removed our transgressions from us</translation>
    </message>
    <message>
        <source>시편 103:12</source>
        <translation>Psalm 103:12</translation>
    </message>
    <message>
        <source>아비가 자식을 불쌍히 여김 같이 여호와께서 자기를 경외하는 자를 불쌍히 여기시나니</source>
        <translation>Like as a father pitieth his children, so the LORD pitieth them that fear him</translation>
    </message>
    <message>
        <source>시편 103:13</source>
        <translation>Psalm 103:13</translation>
    </message>
    <message>
        <source>저가 사모하는 영혼을 만족케 하시며 주린 영혼에게 좋은 것으로 채워주심이로다</source>
        <translation>For he satisfieth the longing soul, and filleth the hungry soul with goodness</translation>
    </message>
    <message>
        <source>시편 107:9</source>
        <translation>Psalm 107:9</translation>
    </message>
    <message>
        <source>여호와를 경외함이 곧 지혜의 근본이라</source>
        <translation>The fear of the LORD is the beginning of wisdom</translation>
    </message>
    <message>
        <source>시편 111:10</source>
        <translation>Psalm 111:10</translation>
    </message>
    <message>
        <source>해 돋는데서부터 해 지는데까지 여호와의 이름이 찬양을 받으시리로다</source>
        <translation>From the rising of the sun unto the going down of the same the LORD&apos;s name is to be praised</translation>
    </message>
    <message>
        <source>시편 113:3</source>
        <translation>Psalm 113:3</translation>
    </message>
    <message>
        <source>여호와께서 내게 주신 모든 은혜를 무엇으로 보답할꼬</source>
        <translation>What shall I render unto the LORD for all his benefits toward me?</translation>
    </message>
    <message>
        <source>시편 116:12</source>
        <translation>Psalm 116:12</translation>
    </message>
    <message>
        <source>여호와는 내 편이시라 내게 두려움이 없나니 사람이 내게 어찌할꼬</source>
        <translation>The LORD is on my side; I will not fear: what can man do unto me?</translation>
    </message>
    <message>
        <source>시편 118:6</source>
        <translation>Psalm 118:6</translation>
    </message>
    <message>
        <source>여호와께 피함이 사람을 신뢰함보다 나으며</source>
        <translation>It is better to trust in the LORD than to put confidence in man</translation>
    </message>
    <message>
        <source>시편 118:8</source>
        <translation>Psalm 118:8</translation>
    </message>
    <message>
        <source>이 날은 여호와의 정하신 것이라 이 날에 우리가 즐거워하고 기뻐하리로다</source>
        <translation>This is the day which the LORD hath made; we will rejoice and be glad in it</translation>
    </message>
    <message>
        <source>시편 118:24</source>
        <translation>Psalm 118:24</translation>
    </message>
    <message>
        <source>청년이 무엇으로 그 행실을 깨끗케 하리이까 주의 말씀을 따라 삼갈 것이니이다</source>
        <translation>Wherewithal shall a young man cleanse his way? by taking heed thereto according to thy word</translation>
    </message>
    <message>
        <source>시편 119:9</source>
        <translation>Psalm 119:9</translation>
    </message>
    <message>
        <source>내가 주께 범죄치 아니하려 하여 주의 말씀을 내 마음에 두었나이다</source>
        <translation>Thy word have I hid in mine heart, that I might not sin against thee</translation>
    </message>
    <message>
        <source>시편 119:11</source>
        <translation>Psalm 119:11</translation>
    </message>
    <message>
        <source>고난 당한 것이 내게 유익이라 이로 인하여 내가 주의 율례를 배우게 되었나이다</source>
        <translation>It is good for me that I have been afflicted; that I might learn thy statutes</translation>
    </message>
    <message>
        <source>시편 119:71</source>
        <translation>Psalm 119:71</translation>
    </message>
    <message>
        <source>주의 말씀의 맛이 내게 어찌 그리 단지요 내 입에 꿀보다 더하니이다</source>
        <translation>How sweet are thy words unto my taste! yea, sweeter than honey to my mouth!</translation>
    </message>
    <message>
        <source>시편 119:103</source>
        <translation>Psalm 119:103</translation>
    </message>
    <message>
        <source>주의 말씀은 내 발에 등이요 내 길에 빛이니이다</source>
        <translation>Thy word is a lamp unto my feet, and a light unto my path</translation>
    </message>
    <message>
        <source>시편 119:105</source>
        <translation>Psalm 119:105</translation>
    </message>
    <message>
        <source>주는 나의 은신처요 방패시라 내가 주의 말씀을 바라나이다</source>
        <translation>Thou art my hiding place and my shield: I hope in thy word</translation>
    </message>
    <message>
        <source>시편 119:114</source>
        <translation>Psalm 119:114</translation>
    </message>
    <message>
        <source>주의 말씀을 열므로 우둔한 자에게 비취어 깨닫게 하나이다</source>
        <translation>The entrance of thy words giveth light; it giveth understanding unto the simple</translation>
    </message>
    <message>
        <source>시편 119:130</source>
        <translation>Psalm 119:130</translation>
    </message>
    <message>
        <source>주의 법을 사랑하는 자에게는 큰 평안이 있으니 저희에게 장애물이 없으리이다</source>
        <translation>Great peace have they which love thy law: and nothing shall offend them</translation>
    </message>
    <message>
        <source>시편 119:165</source>
        <translation>Psalm 119:165</translation>
    </message>
    <message>
        <source>내가 산을 향하여 눈을 들리라 나의 도움이 어디서 올꼬</source>
        <translation>I will lift up mine eyes unto the hills, from whence cometh my help</translation>
    </message>
    <message>
        <source>시편 121:1</source>
        <translation>Psalm 121:1</translation>
    </message>
    <message>
        <source>나의 도움이 천지를 지으신 여호와에게서로다</source>
        <translation>My help cometh from the LORD, which made heaven and earth</translation>
    </message>
    <message>
        <source>시편 121:2</source>
        <translation>Psalm 121:2</translation>
    </message>
    <message>
        <source>여호와는 너를 지키시는 자라 여호와께서 네 우편에서 네 그늘이 되시나니</source>
        <translation>The LORD is thy keeper: the LORD is thy shade upon thy right hand</translation>
    </message>
    <message>
        <source>시편 121:5</source>
        <translation>Psalm 121:5</translation>
    </message>
    <message>
        <source>낮의 해가 너를 상치 아니하며 밤의 달도 너를 해치 아니하리로다</source>
        <translation>The sun shall not smite thee by day, nor the moon by night</translation>
    </message>
    <message>
        <source>시편 121:6</source>
        <translation>Psalm 121:6</translation>
    </message>
    <message>
        <source>여호와께서 너를 지켜 모든 환난을 면케 하시며 또 네 영혼을 지키시리로다</source>
        <translation>The LORD shall preserve thee from all evil: he shall preserve thy soul</translation>
    </message>
    <message>
        <source>시편 121:7</source>
        <translation>Psalm 121:7</translation>
    </message>
    <message>
        <source>여호와께서 너의 출입을 지금부터 영원까지 지키시리로다</source>
        <translation>The LORD shall preserve thy going out and thy coming in from this time forth, and even for evermore</translation>
    </message>
    <message>
        <source>시편 121:8</source>
        <translation>Psalm 121:8</translation>
    </message>
    <message>
        <source>여호와께서 우리를 위하여 대사를 행하셨으니 우리는 기쁘도다</source>
        <translation>The LORD hath done great things for us; whereof we are glad</translation>
    </message>
    <message>
        <source>시편 126:3</source>
        <translation>Psalm 126:3</translation>
    </message>
    <message>
        <source>눈물을 흘리며 씨를 뿌리는 자는 기쁨으로 거두리로다</source>
        <translation>They that sow in tears shall reap in joy</translation>
    </message>
    <message>
        <source>시편 126:5</source>
        <translation>Psalm 126:5</translation>
    </message>
    <message>
        <source>여호와께서 집을 세우지 아니하시면 세우는 자의 수고가 헛되며</source>
        <translation>Except the LORD build the house, they labour in vain that build it</translation>
    </message>
    <message>
        <source>시편 127:1</source>
        <translation>Psalm 127:1</translation>
    </message>
    <message>
        <source>나 곧 내 영혼이 여호와를 기다리며 내가 그 말씀을 바라는도다</source>
        <translation>I wait for the LORD, my soul doth wait, and in his word do I hope</translation>
    </message>
    <message>
        <source>시편 130:5</source>
        <translation>Psalm 130:5</translation>
    </message>
    <message>
        <source>형제가 연합하여 동거함이 어찌 그리 선하고 아름다운고</source>
        <translation>How good and how pleasant it is for brethren to dwell together in unity!</translation>
    </message>
    <message>
        <source>시편 133:1</source>
        <translation>Psalm 133:1</translation>
    </message>
    <message>
        <source>내가 주의 신을 떠나 어디로 가며 주의 앞에서 어디로 피하리이까</source>
        <translation>Whither shall I go from thy spirit? or whither shall I flee from thy presence?</translation>
    </message>
    <message>
        <source>시편 139:7</source>
        <translation>Psalm 139:7</translation>
    </message>
    <message>
        <source>내가 주께 감사하옴은 나를 지으심이 신묘막측하심이라</source>
        <translation>I will praise thee; for I am fearfully and wonderfully made</translation>
    </message>
    <message>
        <source>시편 139:14</source>
        <translation>Psalm 139:14</translation>
    </message>
    <message>
        <source>하나님이여 나를 살피사 내 마음을 아시며 나를 시험하사 내 뜻을 아옵소서</source>
        <translation>Search me, O God, and know my heart: try me, and know my thoughts</translation>
    </message>
    <message>
        <source>시편 139:23</source>
        <translation>Psalm 139:23</translation>
    </message>
    <message>
        <source>아침에 나로 주의 인자한 말씀을 듣게 하소서 내가 주를 의뢰함이니이다</source>
        <translation>Cause me to hear thy lovingkindness in the morning; for in thee do I trust</translation>
    </message>
    <message>
        <source>시편 143:8</source>
        <translation>Psalm 143:8</translation>
    </message>
    <message>
        <source>주는 나의 하나님이시니 나를 가르쳐 주의 뜻을 행케 하소서</source>
        <translation>Teach me to do thy will; for thou art my God</translation>
    </message>
    <message>
        <source>시편 143:10</source>
        <translation>Psalm 143:10</translation>
    </message>
    <message>
        <source>여호와는 광대하시니 크게 찬양할 것이라 그의 광대하심을 측량치 못하리로다</source>
        <translation>Great is the LORD, and greatly to be praised; and his greatness is unsearchable</translation>
    </message>
    <message>
        <source>시편 145:3</source>
        <translation>Psalm 145:3</translation>
    </message>
    <message>
        <source>여호와는 은혜로우시며 자비하시며 노하기를 더디하시며 인자하심이 크시도다</source>
        <translation>The LORD is gracious, and full of compassion; slow to anger, and of great mercy</translation>
    </message>
    <message>
        <source>시편 145:8</source>
        <translation>Psalm 145:8</translation>
    </message>
    <message>
        <source>여호와께서는 만유를 선대하시며 그 지으신 모든 것에 긍휼을 베푸시는도다</source>
        <translation>The LORD is good to all: and his tender mercies are over all his works</translation>
    </message>
    <message>
        <source>시편 145:9</source>
        <translation>Psalm 145:9</translation>
    </message>
    <message>
        <source>주의 나라는 영원한 나라이니 주의 통치는 대대에 이르리이다</source>
        <translation>Thy kingdom is an everlasting kingdom, and thy dominion endureth throughout all generations</translation>
    </message>
    <message>
        <source>시편 145:13</source>
        <translation>Psalm 145:13</translation>
    </message>
    <message>
        <source>여호와께서는 모든 넘어지는 자를 붙드시며 비굴한 자를 일으키시는도다</source>
        <translation>The LORD upholdeth all that fall, and raiseth up all those that be bowed down</translation>
    </message>
    <message>
        <source>시편 145:14</source>
        <translation>Psalm 145:14</translation>
    </message>
    <message>
        <source>여호와께서는 자기에게 간구하는 모든 자 곧 진실하게 간구하는 모든 자에게 가까이 하시는도다</source>
        <translation>The LORD is nigh unto all them that call upon him, to all that call upon him in truth</translation>
    </message>
    <message>
        <source>시편 145:18</source>
        <translation>Psalm 145:18</translation>
    </message>
    <message>
        <source>할렐루야 내 영혼아 여호와를 찬양하라</source>
        <translation>Praise ye the LORD. Praise the LORD, O my soul</translation>
    </message>
    <message>
        <source>시편 146:1</source>
        <translation>Psalm 146:1</translation>
    </message>
    <message>
        <source>할렐루야 우리 하나님께 찬양함이 선함이여 찬송함이 아름답고 마땅하도다</source>
        <translation>Praise ye the LORD: for it is good to sing praises unto our God; for it is pleasant; and praise is comely</translation>
    </message>
    <message>
        <source>시편 147:1</source>
        <translation>Psalm 147:1</translation>
    </message>
    <message>
        <source>상심한 자를 고치시며 저희 상처를 싸매시는도다</source>
        <translation>He healeth the broken in heart, and bindeth up their wounds</translation>
    </message>
    <message>
        <source>시편 147:3</source>
        <translation>Psalm 147:3</translation>
    </message>
    <message>
        <source>자기를 경외하는 자와 그 인자하심을 바라는 자들을 기뻐하시는도다</source>
        <translation>The LORD taketh pleasure in them that fear him, in those that hope in his mercy</translation>
    </message>
    <message>
        <source>시편 147:11</source>
        <translation>Psalm 147:11</translation>
    </message>
    <message>
        <source>호흡이 있는 자마다 여호와를 찬양할찌어다 할렐루야</source>
        <translation>Let every thing that hath breath praise the LORD. Praise ye the LORD</translation>
    </message>
    <message>
        <source>시편 150:6</source>
        <translation>Psalm 150:6</translation>
    </message>
    <message>
        <source>여호와를 경외하는 것이 지식의 근본이어늘 미련한 자는 지혜와 훈계를 멸시하느니라</source>
        <translation>The fear of the LORD is the beginning of knowledge: but fools despise wisdom and instruction</translation>
    </message>
    <message>
        <source>잠언 1:7</source>
        <translation>Proverbs 1:7</translation>
    </message>
    <message>
        <source>너는 마음을 다하여 여호와를 의뢰하고 네 명철을 의지하지 말라</source>
        <translation>Trust in the LORD with all thine heart; and lean not unto thine own understanding</translation>
    </message>
    <message>
        <source>잠언 3:5</source>
        <translation>Proverbs 3:5</translation>
    </message>
    <message>
        <source>너는 범사에 그를 인정하라 그리하면 네 길을 지도하시리라</source>
        <translation>In all thy ways acknowledge him, and he shall direct thy paths</translation>
    </message>
    <message>
        <source>잠언 3:6</source>
        <translation>Proverbs 3:6</translation>
    </message>
    <message>
        <source>스스로 지혜롭게 여기지 말찌어다 여호와를 경외하며 악을 떠날찌어다</source>
        <translation>Be not wise in thine own eyes: fear the LORD, and depart from evil</translation>
    </message>
    <message>
        <source>잠언 3:7</source>
        <translation>Proverbs 3:7</translation>
    </message>
    <message>
        <source>네 재물과 네 소산물의 처음 익은 열매로 여호와를 공경하라</source>
        <translation>Honour the LORD with thy substance, and with the firstfruits of all thine increase</translation>
    </message>
    <message>
        <source>잠언 3:9</source>
        <translation>Proverbs 3:9</translation>
    </message>
    <message>
        <source>무릇 지킬만한 것보다 더욱 네 마음을 지키라 생명의 근원이 이에서 남이니라</source>
        <translation>Keep thy heart with all diligence; for out of it are the issues of life</translation>
    </message>
    <message>
        <source>잠언 4:23</source>
        <translation>Proverbs 4:23</translation>
    </message>
    <message>
        <source>게으른 자여 개미에게로 가서 그 하는 것을 보고 지혜를 얻으라</source>
        <translation>Go to the ant, thou sluggard; consider her ways, and be wise</translation>
    </message>
    <message>
        <source>잠언 6:6</source>
        <translation>Proverbs 6:6</translation>
    </message>
    <message>
        <source>여호와를 경외하는 것이 지혜의 근본이요 거룩하신 자를 아는 것이 명철이니라</source>
        <translation>The fear of the LORD is the beginning of wisdom: and the knowledge of the holy is understanding</translation>
    </message>
    <message>
        <source>잠언 9:10</source>
        <translation>Proverbs 9:10</translation>
    </message>
    <message>
        <source>미움은 다툼을 일으켜도 사랑은 모든 허물을 가리우느니라</source>
        <translation>Hatred stirreth up strifes: but love covereth all sins</translation>
    </message>
    <message>
        <source>잠언 10:12</source>
        <translation>Proverbs 10:12</translation>
    </message>
    <message>
        <source>구제를 좋아하는 자는 풍족하여질 것이요 남을 윤택하게 하는 자는 윤택하여지리라</source>
        <translation>The liberal soul shall be made fat: and he that watereth shall be watered also himself</translation>
    </message>
    <message>
        <source>잠언 11:25</source>
        <translation>Proverbs 11:25</translation>
    </message>
    <message>
        <source>유순한 대답은 분노를 쉬게 하여도 과격한 말은 노를 격동하느니라</source>
        <translation>A soft answer turneth away wrath: but grievous words stir up anger</translation>
    </message>
    <message>
        <source>잠언 15:1</source>
        <translation>Proverbs 15:1</translation>
    </message>
    <message>
        <source>마음의 즐거움은 얼굴을 빛나게 하여도 마음의 근심은 심령을 상하게 하느니라</source>
        <translation>A merry heart maketh a cheerful countenance: but by sorrow of the heart the spirit is broken</translation>
    </message>
    <message>
        <source>잠언 15:13</source>
        <translation>Proverbs 15:13</translation>
    </message>
    <message>
        <source>너의 행사를 여호와께 맡기라 그리하면 너의 경영하는 것이 이루리라</source>
        <translation>Commit thy works unto the LORD, and thy thoughts shall be established</translation>
    </message>
    <message>
        <source>잠언 16:3</source>
        <translation>Proverbs 16:3</translation>
    </message>
    <message>
        <source>사람이 마음으로 자기의 길을 계획할지라도 그 걸음을 인도하는 자는 여호와시니라</source>
        <translation>A man&apos;s heart deviseth his way: but the LORD directeth his steps</translation>
    </message>
    <message>
        <source>잠언 16:9</source>
        <translation>Proverbs 16:9</translation>
    </message>
    <message>
        <source>교만은 패망의 선봉이요 거만한 마음은 넘어짐의 앞잡이니라</source>
        <translation>Pride goeth before destruction, and an haughty spirit before a fall</translation>
    </message>
    <message>
        <source>잠언 16:18</source>
        <translation>Proverbs 16:18</translation>
    </message>
    <message>
        <source>선한 말은 꿀송이 같아서 마음에 달고 뼈에 양약이 되느니라</source>
        <translation>Pleasant words are as an honeycomb, sweet to the soul, and health to the bones</translation>
    </message>
    <message>
        <source>잠언 16:24</source>
        <translation>Proverbs 16:24</translation>
    </message>
    <message>
        <source>친구는 사랑이 끊이지 아니하고 형제는 위급한 때까지 위하여 났느니라</source>
        <translation>A friend loveth at all times, and a brother is born for adversity</translation>
    </message>
    <message>
        <source>잠언 17:17</source>
        <translation>Proverbs 17:17</translation>
    </message>
    <message>
        <source>마음의 즐거움은 양약이라도 심령의 근심은 뼈로 마르게 하느니라</source>
        <translation>A merry heart doeth good like a medicine: but a broken spirit drieth the bones</translation>
    </message>
    <message>
        <source>잠언 17:22</source>
        <translation>Proverbs 17:22</translation>
    </message>
    <message>
        <source>여호와의 이름은 견고한 망대라 의인은 그리로 달려가서 안전함을 얻느니라</source>
        <translation>The name of the LORD is a strong tower: the righteous runneth into it, and is safe</translation>
    </message>
    <message>
        <source>잠언 18:10</source>
        <translation>Proverbs 18:10</translation>
    </message>
    <message>
        <source>사람의 마음에는 많은 계획이 있어도 오직 여호와의 뜻이 완전히 서리라</source>
        <translation>There are many devices in a man&apos;s heart; nevertheless the counsel of the LORD, that shall stand</translation>
    </message>
    <message>
        <source>잠언 19:21</source>
        <translation>Proverbs 19:21</translation>
    </message>
    <message>
        <source>마땅히 행할 길을 아이에게 가르치라 그리하면 늙어도 그것을 떠나지 아니하리라</source>
        <translation>Train up a child in the way he should go: and when he is old, he will not depart from it</translation>
    </message>
    <message>
        <source>잠언 22:6</source>
        <translation>Proverbs 22:6</translation>
    </message>
    <message>
        <source>경우에 합당한 말은 아로새긴 은쟁반에 금사과니라</source>
        <translation>A word fitly spoken is like apples of gold in pictures of silver</translation>
    </message>
    <message>
        <source>잠언 25:11</source>
        <translation>Proverbs 25:11</translation>
    </message>
    <message>
        <source>너는 내일 일을 자랑하지 말라 하루 동안에 무슨 일이 날는지 네가 알 수 없음이니라</source>
        <translation>Boast not thyself of to morrow; for thou knowest not what a day may bring forth</translation>
    </message>
    <message>
        <source>잠언 27:1</source>
        <translation>Proverbs 27:1</translation>
    </message>
    <message>
        <source>철이 철을 날카롭게 하는 것 같이 사람이 그 친구의 얼굴을 빛나게 하느니라</source>
        <translation>Iron sharpeneth iron; so a man sharpeneth the countenance of his friend</translation>
    </message>
    <message>
        <source>잠언 27:17</source>
        <translation>Proverbs 27:17</translation>
    </message>
    <message>
        <source>사람을 두려워하면 올무에 걸리게 되거니와 여호와를 의지하는 자는 안전하리라</source>
        <translation>The fear of man bringeth a snare: but whoso putteth his trust in the LORD shall be safe</translation>
    </message>
    <message>
        <source>잠언 29:25</source>
        <translation>Proverbs 29:25</translation>
    </message>
    <message>
        <source>천하에 범사가 기한이 있고 모든 목적이 이룰 때가 있나니</source>
        <translation>To every thing there is a season, and a time to every purpose under the heaven</translation>
    </message>
    <message>
        <source>전도서 3:1</source>
        <translation>Ecclesiastes 3:1</translation>
    </message>
    <message>
        <source>하나님이 모든 것을 지으시되 때를 따라 아름답게 하셨고</source>
        <translation>He hath made every thing beautiful in his time</translation>
    </message>
    <message>
        <source>전도서 3:11</source>
        <translation>Ecclesiastes 3:11</translation>
    </message>
    <message>
        <source>두 사람이 한 사람보다 나음은 저희가 수고함으로 좋은 상을 얻을 것임이라</source>
        <translation>Two are better than one; because they have a good reward for their labour</translation>
    </message>
    <message>
        <source>전도서 4:9</source>
        <translation>Ecclesiastes 4:9</translation>
    </message>
    <message>
        <source>너는 네 식물을 물 위에 던지라 여러 날 후에 도로 찾으리라</source>
        <translation>Cast thy bread upon the waters: for thou shalt find it after many days</translation>
    </message>
    <message>
        <source>전도서 11:1</source>
        <translation>Ecclesiastes 11:1</translation>
    </message>
    <message>
        <source>너는 청년의 때 곧 곤고한 날이 이르기 전, 나는 아무 낙이 없다고 할 해가 가깝기 전에 너의 창조자를 기억하라</source>
        <translation>Remember now thy Creator in the days of thy youth, while the evil days come not, nor the years draw nigh, when thou shalt say, I have no pleasure in them</translation>
    </message>
    <message>
        <source>전도서 12:1</source>
        <translation>Ecclesiastes 12:1</translation>
    </message>
    <message>
        <source>너희 죄가 주홍 같을찌라도 눈과 같이 희어질 것이요 진홍 같이 붉을찌라도 양털 같이 되리라</source>
        <translation>Though your sins be as scarlet, they shall be as white as snow; though they be red like crimson, they shall be as wool</translation>
    </message>
    <message>
        <source>이사야 1:18</source>
        <translation>Isaiah 1:18</translation>
    </message>
    <message>
        <source>이는 한 아기가 우리에게 났고 한 아들을 우리에게 주신바 되었는데</source>
        <translation>For unto us a child is born, unto us a son is given</translation>
    </message>
    <message>
        <source>이사야 9:6</source>
        <translation>Isaiah 9:6</translation>
    </message>
    <message>
        <source>주께서 심지가 견고한 자를 평강에 평강으로 지키시리니 이는 그가 주를 의뢰함이니이다</source>
        <translation>Thou wilt keep him in perfect peace, whose mind is stayed on thee: because he trusteth in thee</translation>
    </message>
    <message>
        <source>이사야 26:3</source>
        <translation>Isaiah 26:3</translation>
    </message>
    <message>
        <source>풀은 마르고 꽃은 시드나 우리 하나님의 말씀은 영영히 서리라 하라</source>
        <translation>The grass withereth, the flower fadeth: but the word of our God shall stand for ever</translation>
    </message>
    <message>
        <source>이사야 40:8</source>
        <translation>Isaiah 40:8</translation>
    </message>
    <message>
        <source>피곤한 자에게는 능력을 주시며 무능한 자에게는 힘을 더하시나니</source>
        <translation>He giveth power to the faint; and to them that have no might he increaseth strength</translation>
    </message>
    <message>
        <source>이사야 40:29</source>
        <translation>Isaiah 40:29</translation>
    </message>
    <message>
        <source>오직 여호와를 앙망하는 자는 새 힘을 얻으리니 독수리의 날개치며 올라감 같을 것이요 달음박질하여도 곤비치 아니하겠고 걸어가도 피곤치 아니하리로다</source>
        <translation>But they that wait upon the LORD shall renew their strength; they shall mount up with wings as eagles; they shall run, and not be weary; and they shall walk, and not faint</translation>
    </message>
    <message>
        <source>이사야 40:31</source>
        <translation>Isaiah 40:31</translation>
    </message>
    <message>
        <source>두려워 말라 내가 너와 함께 함이니라 놀라지 말라 나는 네 하나님이 됨이니라 내가 너를 굳세게 하리라 참으로 너를 도와 주리라 참으로 나의 의로운 오른손으로 너를 붙들리라</source>
        <translation>Fear thou not; for I am with thee: be not dismayed; for I am thy God: I will strengthen thee; yea, I will help thee; yea, I will uphold thee with the right hand of my righteousness</translation>
    </message>
    <message>
        <source>이사야 41:10</source>
        <translation>Isaiah 41:10</translation>
    </message>
    <message>
        <source>너는 두려워 말라 내가 너를 구속하였고 내가 너를 지명하여 불렀나니 너는 내 것이라</source>
        <translation>Fear not: for I have redeemed thee, I have called thee by thy name; thou art mine</translation>
    </message>
    <message>
        <source>이사야 43:1</source>
        <translation>Isaiah 43:1</translation>
    </message>
    <message>
        <source>네가 물 가운데로 지날 때에 내가 함께할 것이라 강을 건널 때에 물이 너를 침몰치 못할 것이며</source>
        <translation>When thou passest through the waters, I will be with thee; and through the rivers, they shall not overflow thee</translation>
    </message>
    <message>
        <source>이사야 43:2</source>
        <translation>Isaiah 43:2</translation>
    </message>
    <message>
        <source>내가 너를 보배롭고 존귀하게 여기고 너를 사랑하였은즉</source>
        <translation>Since thou wast precious in my sight, thou hast been honourable, and I have loved thee</translation>
    </message>
    <message>
        <source>이사야 43:4</source>
        <translation>Isaiah 43:4</translation>
    </message>
    <message>
        <source>보라 내가 새 일을 행하리니 이제 나타낼 것이라 너희가 그것을 알지 못하겠느냐</source>
        <translation>Behold, I will do a new thing; now it shall spring forth; shall ye not know it?</translation>
    </message>
    <message>
        <source>이사야 43:19</source>
        <translation>Isaiah 43:19</translation>
    </message>
    <message>
        <source>나 곧 나는 나를 위하여 네 허물을 도말하는 자니 네 죄를 기억지 아니하리라</source>
        <translation>I, even I, am he that blotteth out thy transgressions for mine own sake, and will not remember thy sins</translation>
    </message>
    <message>
        <source>이사야 43:25</source>
        <translation>Isaiah 43:25</translation>
    </message>
    <message>
        <source>여인이 어찌 그 젖먹는 자식을 잊겠으며 자기 태에서 난 아들을 긍휼히 여기지 않겠느냐 그들은 혹시 잊을찌라도 나는 너를 잊지 아니할 것이라</source>
        <translation>Can a woman forget her sucking child, that she should not have compassion on the son of her womb? yea, they may forget, yet will I not forget thee</translation>
    </message>
    <message>
        <source>이사야 49:15</source>
        <translation>Isaiah 49:15</translation>
    </message>
    <message>
        <source>그가 찔림은 우리의 허물을 인함이요 그가 상함은 우리의 죄악을 인함이라 그가 징계를 받음으로 우리가 평화를 누리고 그가 채찍에 맞음으로 우리가 나음을 입었도다</source>
        <translation>But he was wounded for our transgressions, he was bruised for our iniquities: the chastisement of our peace was upon him; and with his stripes we are healed</translation>
    </message>
    <message>
        <source>이사야 53:5</source>
        <translation>Isaiah 53:5</translation>
    </message>
    <message>
        <source>너희는 여호와를 만날만한 때에 찾으라 가까이 계실 때에 그를 부르라</source>
        <translation>Seek ye the LORD while he may be found, call ye upon him while he is near</translation>
    </message>
    <message>
        <source>이사야 55:6</source>
        <translation>Isaiah 55:6</translation>
    </message>
    <message>
        <source>여호와의 말씀에 내 생각은 너희 생각과 다르며 내 길은 너희 길과 달라서</source>
        <translation>For my thoughts are not your thoughts, neither are your ways my ways, saith the LORD</translation>
    </message>
    <message>
        <source>이사야 55:8</source>
        <translation>Isaiah 55:8</translation>
    </message>
    <message>
        <source>나 여호와가 너를 항상 인도하여 마른 곳에서도 네 영혼을 만족케 하며</source>
        <translation>The LORD shall guide thee continually, and satisfy thy soul in drought</translation>
    </message>
    <message>
        <source>이사야 58:11</source>
        <translation>Isaiah 58:11</translation>
    </message>
    <message>
        <source>여호와의 손이 짧아 구원치 못하심도 아니요 귀가 둔하여 듣지 못하심도 아니라</source>
        <translation>Behold, the LORD&apos;s hand is not shortened, that it cannot save; neither his ear heavy, that it cannot hear</translation>
    </message>
    <message>
        <source>이사야 59:1</source>
        <translation>Isaiah 59:1</translation>
    </message>
    <message>
        <source>일어나라 빛을 발하라 이는 네 빛이 이르렀고 여호와의 영광이 네 위에 임하였음이니라</source>
        <translation>Arise, shine; for thy light is come, and the glory of the LORD is risen upon thee</translation>
    </message>
    <message>
        <source>이사야 60:1</source>
        <translation>Isaiah 60:1</translation>
    </message>
    <message>
        <source>그러나 무릇 여호와를 의지하며 여호와를 의뢰하는 그 사람은 복을 받을 것이라</source>
        <translation>Blessed is the man that trusteth in the LORD, and whose hope the LORD is</translation>
    </message>
    <message>
        <source>예레미야 17:7</source>
        <translation>Jeremiah 17:7</translation>
    </message>
    <message>
        <source>나 여호와가 말하노라 너희를 향한 나의 생각은 내가 아나니 재앙이 아니라 곧 평안이요 너희 장래에 소망을 주려하는 생각이라</source>
        <translation>For I know the thoughts that I think toward you, saith the LORD, thoughts of peace, and not of evil, to give you an expected end</translation>
    </message>
    <message>
        <source>예레미야 29:11</source>
        <translation>Jeremiah 29:11</translation>
    </message>
    <message>
        <source>너희가 전심으로 나를 찾고 찾으면 나를 만나리라</source>
        <translation>And ye shall seek me, and find me, when ye shall search for me with all your heart</translation>
    </message>
    <message>
        <source>예레미야 29:13</source>
        <translation>Jeremiah 29:13</translation>
    </message>
    <message>
        <source>내가 무궁한 사랑으로 너를 사랑하는고로 인자함으로 너를 인도하였다 하였노라</source>
        <translation>Yea, I have loved thee with an everlasting love: therefore with lovingkindness have I drawn thee</translation>
    </message>
    <message>
        <source>예레미야 31:3</source>
        <translation>Jeremiah 31:3</translation>
    </message>
    <message>
        <source>주 여호와여 주께서 큰 능과 드신 팔로 천지를 지으셨사오니 주에게는 능치 못한 일이 없으시니이다</source>
        <translation>Ah Lord GOD! behold, thou hast made the heaven and the earth by thy great power and stretched out arm, and there is nothing too hard for thee</translation>
    </message>
    <message>
        <source>예레미야 32:17</source>
        <translation>Jeremiah 32:17</translation>
    </message>
    <message>
        <source>너는 내게 부르짖으라 내가 네게 응답하겠고 네가 알지 못하는 크고 비밀한 일을 네게 보이리라</source>
        <translation>Call unto me, and I will answer thee, and shew thee great and mighty things, which thou knowest not</translation>
    </message>
    <message>
        <source>예레미야 33:3</source>
        <translation>Jeremiah 33:3</translation>
    </message>
    <message>
        <source>여호와의 자비와 긍휼이 무궁하시므로 우리가 진멸되지 아니함이니이다 이것이 아침마다 새로우니 주의 성실이 크도소이다</source>
        <translation>It is of the LORD&apos;s mercies that we are not consumed, because his compassions fail not. They are new every morning: great is thy faithfulness</translation>
    </message>
    <message>
        <source>예레미야애가 3:22-23</source>
        <translation>Lamentations 3:22-23</translation>
    </message>
    <message>
        <source>무릇 기다리는 자에게나 구하는 영혼에게 여호와께서 선을 베푸시는도다</source>
        <translation>The LORD is good unto them that wait for him, to the soul that seeketh him</translation>
    </message>
    <message>
        <source>예레미야애가 3:25</source>
        <translation>Lamentations 3:25</translation>
    </message>
    <message>
        <source>또 새 영을 너희 속에 두고 새 마음을 너희에게 주되</source>
        <translation>A new heart also will I give you, and a new spirit will I put within you</translation>
    </message>
    <message>
        <source>에스겔 36:26</source>
        <translation>Ezekiel 36:26</translation>
    </message>
    <message>
        <source>지혜 있는 자는 궁창의 빛과 같이 빛날 것이요 많은 사람을 옳은데로 돌아오게 한 자는 별과 같이 영원토록 비취리라</source>
        <translation>And they that be wise shall shine as the brightness of the firmament; and they that turn many to righteousness as the stars for ever and ever</translation>
    </message>
    <message>
        <source>다니엘 12:3</source>
        <translation>Daniel 12:3</translation>
    </message>
    <message>
        <source>그러므로 우리가 여호와를 알자 힘써 여호와를 알자</source>
        <translation>Then shall we know, if we follow on to know the LORD</translation>
    </message>
    <message>
        <source>호세아 6:3</source>
        <translation>Hosea 6:3</translation>
    </message>
    <message>
        <source>누구든지 여호와의 이름을 부르는 자는 구원을 얻으리니</source>
        <translation>Whosoever shall call on the name of the LORD shall be delivered</translation>
    </message>
    <message>
        <source>요엘 2:32</source>
        <translation>Joel 2:32</translation>
    </message>
    <message>
        <source>오직 공법을 물 같이, 정의를 하수 같이 흘릴찌로다</source>
        <translation>But let judgment run down as waters, and righteousness as a mighty stream</translation>
    </message>
    <message>
        <source>아모스 5:24</source>
        <translation>Amos 5:24</translation>
    </message>
    <message>
        <source>사람아 주께서 선한 것이 무엇임을 네게 보이셨나니 여호와께서 네게 구하시는 것이 오직 공의를 행하며 인자를 사랑하며 겸손히 네 하나님과 함께 행하는 것이 아니냐</source>
        <translation>He hath shewed thee, O man, what is good; and what doth the LORD require of thee, but to do justly, and to love mercy, and to walk humbly with thy God?</translation>
    </message>
    <message>
        <source>미가 6:8</source>
        <translation>Micah 6:8</translation>
    </message>
    <message>
        <source>여호와는 선하시며 환난 날에 산성이시라 그는 자기에게 의뢰하는 자들을 아시느니라</source>
        <translation>The LORD is good, a strong hold in the day of trouble; and he knoweth them that trust in him</translation>
    </message>
    <message>
        <source>나훔 1:7</source>
        <translation>Nahum 1:7</translation>
    </message>
    <message>
        <source>그러나 의인은 그 믿음으로 말미암아 살리라</source>
        <translation>But the just shall live by his faith</translation>
    </message>
    <message>
        <source>하박국 2:4</source>
        <translation>Habakkuk 2:4</translation>
    </message>
    <message>
        <source>나는 여호와를 인하여 즐거워하며 나의 구원의 하나님을 인하여 기뻐하리로다</source>
        <translation>Yet I will rejoice in the LORD, I will joy in the God of my salvation</translation>
    </message>
    <message>
        <source>하박국 3:18</source>
        <translation>Habakkuk 3:18</translation>
    </message>
    <message>
        <source>주 여호와는 나의 힘이시라 나의 발을 사슴과 같게 하사 나로 나의 높은 곳에 다니게 하시리로다</source>
        <translation>The LORD God is my strength, and he will make my feet like hinds&apos; feet, and he will make me to walk upon mine high places</translation>
    </message>
    <message>
        <source>하박국 3:19</source>
        <translation>Habakkuk 3:19</translation>
    </message>
    <message>
        <source>너의 하나님 여호와가 너의 가운데 계시니 그는 구원을 베푸실 전능자시라</source>
        <translation>The LORD thy God in the midst of thee is mighty; he will save</translation>
    </message>
    <message>
        <source>스바냐 3:17</source>
        <translation>Zephaniah 3:17</translation>
    </message>
    <message>
        <source>이는 힘으로 되지 아니하며 능으로 되지아니하고 오직 나의 신으로 되느니라</source>
        <translation>Not by might, nor by power, but by my spirit</translation>
    </message>
    <message>
        <source>스가랴 4:6</source>
        <translation>Zechariah 4:6</translation>
    </message>
    <message>
        <source>내 이름을 경외하는 너희에게는 의로운 해가 떠올라서 치료하는 광선을 발하리니</source>
        <translation>But unto you that fear my name shall the Sun of righteousness arise with healing in his wings</translation>
    </message>
    <message>
        <source>말라기 4:2</source>
        <translation>Malachi 4:2</translation>
    </message>
    <message>
        <source>심령이 가난한 자는 복이 있나니 천국이 저희 것임이요</source>
        <translation>Blessed are the poor in spirit: for theirs is the kingdom of heaven</translation>
    </message>
    <message>
        <source>마태복음 5:3</source>
        <translation>Matthew 5:3</translation>
    </message>
    <message>
        <source>애통하는 자는 복이 있나니 저희가 위로를 받을 것임이요</source>
        <translation>Blessed are they that mourn: for they shall be comforted</translation>
    </message>
    <message>
        <source>마태복음 5:4</source>
        <translation>Matthew 5:4</translation>
    </message>
    <message>
        <source>온유한 자는 복이 있나니 저희가 땅을 기업으로 받을 것임이요</source>
        <translation>Blessed are the meek: for they shall inherit the earth</translation>
    </message>
    <message>
        <source>마태복음 5:5</source>
        <translation>Matthew 5:5</translation>
    </message>
    <message>
        <source>의에 주리고 목마른 자는 복이 있나니 저희가 배부를 것임이요</source>
        <translation>Blessed are they which do hunger and thirst after righteousness: for they shall be filled</translation>
    </message>
    <message>
        <source>마태복음 5:6</source>
        <translation>Matthew 5:6</translation>
    </message>
    <message>
        <source>긍휼히 여기는 자는 복이 있나니 저희가 긍휼히 여김을 받을 것임이요</source>
        <translation>Blessed are the merciful: for they shall obtain mercy</translation>
    </message>
    <message>
        <source>마태복음 5:7</source>
        <translation>Matthew 5:7</translation>
    </message>
    <message>
        <source>마음이 청결한 자는 복이 있나니 저희가 하나님을 볼 것임이요</source>
        <translation>Blessed are the pure in heart: for they shall see God</translation>
    </message>
    <message>
        <source>마태복음 5:8</source>
        <translation>Matthew 5:8</translation>
    </message>
    <message>
        <source>화평케 하는 자는 복이 있나니 저희가 하나님의 아들이라 일컬음을 받을 것임이요</source>
        <translation>Blessed are the peacemakers: for they shall be called the children of God</translation>
    </message>
    <message>
        <source>마태복음 5:9</source>
        <translation>Matthew 5:9</translation>
    </message>
    <message>
        <source>너희는 세상의 소금이니</source>
        <translation>Ye are the salt of the earth</translation>
    </message>
    <message>
        <source>마태복음 5:13</source>
        <translation>Matthew 5:13</translation>
    </message>
    <message>
        <source>너희는 세상의 빛이라 산위에 있는 동네가 숨기우지 못할 것이요</source>
        <translation>Ye are the light of the world. A city that is set on an hill cannot be hid</translation>
    </message>
    <message>
        <source>마태복음 5:14</source>
        <translation>Matthew 5:14</translation>
    </message>
    <message>
        <source>이같이 너희 빛을 사람 앞에 비취게 하여 저희로 너희 착한 행실을 보고 하늘에 계신 너희 아버지께 영광을 돌리게 하라</source>
        <translation>Let your light so shine before men, that they may see your good works, and glorify your Father which is in heaven</translation>
    </message>
    <message>
        <source>마태복음 5:16</source>
        <translation>Matthew 5:16</translation>
    </message>
    <message>
        <source>너희 원수를 사랑하며 너희를 핍박하는 자를 위하여 기도하라</source>
        <translation>Love your enemies, bless them that curse you, do good to them that hate you, and pray for them which despitefully use you, and persecute you</translation>
    </message>
    <message>
        <source>마태복음 5:44</source>
        <translation>Matthew 5:44</translation>
    </message>
    <message>
        <source>오늘날 우리에게 일용할 양식을 주옵시고</source>
        <translation>Give us this day our daily bread</translation>
    </message>
    <message>
        <source>마태복음 6:11</source>
        <translation>Matthew 6:11</translation>
    </message>
    <message>
        <source>네 보물 있는 그 곳에는 네 마음도 있느니라</source>
        <translation>For where your treasure is, there will your heart be also</translation>
    </message>
    <message>
        <source>마태복음 6:21</source>
        <translation>Matthew 6:21</translation>
    </message>
    <message>
        <source>공중의 새를 보라 심지도 않고 거두지도 않고 창고에 모아 들이지도 아니하되 너희 천부께서 기르시나니 너희는 이것들보다 귀하지 아니하냐</source>
        <translation>Behold the fowls of the air: for they sow not, neither do they reap, nor gather into barns; yet your heavenly Father feedeth them. Are ye not much better than they?</translation>
    </message>
    <message>
        <source>마태복음 6:26</source>
        <translation>Matthew 6:26</translation>
    </message>
    <message>
        <source>너희는 먼저 그의 나라와 그의 의를 구하라 그리하면 이 모든 것을 너희에게 더하시리라</source>
        <translation>But seek ye first the kingdom of God, and his righteousness; and all these things shall be added unto you</translation>
    </message>
    <message>
        <source>마태복음 6:33</source>
        <translation>Matthew 6:33</translation>
    </message>
    <message>
        <source>그러므로 내일 일을 위하여 염려하지 말라 내일 일은 내일 염려할 것이요 한 날 괴로움은 그 날에 족하니라</source>
        <translation>Take therefore no thought for the morrow: for the morrow shall take thought for the things of itself. Sufficient unto the day is the evil thereof</translation>
    </message>
    <message>
        <source>마태복음 6:34</source>
        <translation>Matthew 6:34</translation>
    </message>
    <message>
        <source>구하라 그러면 너희에게 주실 것이요 찾으라 그러면 찾을 것이요 문을 두드리라 그러면 너희에게 열릴 것이니</source>
        <translation>Ask, and it shall be given you; seek, and ye shall find; knock, and it shall be opened unto you</translation>
    </message>
    <message>
        <source>마태복음 7:7</source>
        <translation>Matthew 7:7</translation>
    </message>
    <message>
        <source>그러므로 무엇이든지 남에게 대접을 받고자 하는대로 너희도 남을 대접하라 이것이 율법이요 선지자니라</source>
        <translation>Therefore all things whatsoever ye would that men should do to you, do ye even so to them: for this is the law and the prophets</translation>
    </message>
    <message>
        <source>마태복음 7:12</source>
        <translation>Matthew 7:12</translation>
    </message>
    <message>
        <source>수고하고 무거운 짐진 자들아 다 내게로 오라 내가 너희를 쉬게 하리라</source>
        <translation>Come unto me, all ye that labour and are heavy laden, and I will give you rest</translation>
    </message>
    <message>
        <source>마태복음 11:28</source>
        <translation>Matthew 11:28</translation>
    </message>
    <message>
        <source>나는 마음이 온유하고 겸손하니 나의 멍에를 메고 내게 배우라 그러면 너희 마음이 쉼을 얻으리니</source>
        <translation>Take my yoke upon you, and learn of me; for I am meek and lowly in heart: and ye shall find rest unto your souls</translation>
    </message>
    <message>
        <source>마태복음 11:29</source>
        <translation>Matthew 11:29</translation>
    </message>
    <message>
        <source>이는 내 멍에는 쉽고 내 짐은 가벼움이라 하시니라</source>
        <translation>For my yoke is easy, and my burden is light</translation>
    </message>
    <message>
        <source>마태복음 11:30</source>
        <translation>Matthew 11:30</translation>
    </message>
    <message>
        <source>두 세 사람이 내 이름으로 모인 곳에는 나도 그들 중에 있느니라</source>
        <translation>For where two or three are gathered together in my name, there am I in the midst of them</translation>
    </message>
    <message>
        <source>마태복음 18:20</source>
        <translation>Matthew 18:20</translation>
    </message>
    <message>
        <source>사람으로는 할 수 없으되 하나님으로서는 다 할 수 있느니라</source>
        <translation>With men this is impossible; but with God all things are possible</translation>
    </message>
    <message>
        <source>마태복음 19:26</source>
        <translation>Matthew 19:26</translation>
    </message>
    <message>
        <source>네 마음을 다하고 목숨을 다하고 뜻을 다하여 주 너의 하나님을 사랑하라 하셨으니</source>
        <translation>Thou shalt love the Lord thy God with all thy heart, and with all thy soul, and with all thy mind</translation>
    </message>
    <message>
        <source>마태복음 22:37</source>
        <translation>Matthew 22:37</translation>
    </message>
    <message>
        <source>천지는 없어지겠으나 내 말은 없어지지 아니하리라</source>
        <translation>Heaven and earth shall pass away, but my words shall not pass away</translation>
    </message>
    <message>
        <source>마태복음 24:35</source>
        <translation>Matthew 24:35</translation>
    </message>
    <message>
        <source>볼찌어다 내가 세상 끝날까지 너희와 항상 함께 있으리라 하시니라</source>
        <translation>Lo, I am with you alway, even unto the end of the world</translation>
    </message>
    <message>
        <source>마태복음 28:20</source>
        <translation>Matthew 28:20</translation>
    </message>
    <message>
        <source>때가 찼고 하나님 나라가 가까왔으니 회개하고 복음을 믿으라 하시더라</source>
        <translation>The time is fulfilled, and the kingdom of God is at hand: repent ye, and believe the gospel</translation>
    </message>
    <message>
        <source>마가복음 1:15</source>
        <translation>Mark 1:15</translation>
    </message>
    <message>
        <source>할 수 있거든이 무슨 말이냐 믿는 자에게는 능치 못할 일이 없느니라</source>
        <translation>If thou canst believe, all things are possible to him that believeth</translation>
    </message>
    <message>
        <source>마가복음 9:23</source>
        <translation>Mark 9:23</translation>
    </message>
    <message>
        <source>인자의 온 것은 섬김을 받으려 함이 아니라 도리어 섬기려 하고 자기 목숨을 많은 사람의 대속물로 주려 함이니라</source>
        <translation>For even the Son of man came not to be ministered unto, but to minister, and to give his life a ransom for many</translation>
    </message>
    <message>
        <source>마가복음 10:45</source>
        <translation>Mark 10:45</translation>
    </message>
    <message>
        <source>무엇이든지 기도하고 구하는 것은 받은 줄로 믿으라 그리하면 너희에게 그대로 되리라</source>
        <translation>What things soever ye desire, when ye pray, believe that ye receive them, and ye shall have them</translation>
    </message>
    <message>
        <source>마가복음 11:24</source>
        <translation>Mark 11:24</translation>
    </message>
    <message>
        <source>또 가라사대 너희는 온 천하에 다니며 만민에게 복음을 전파하라</source>
        <translation>And he said unto them, Go ye into all the world, and preach the gospel to every creature</translation>
    </message>
    <message>
        <source>마가복음 16:15</source>
        <translation>Mark 16:15</translation>
    </message>
    <message>
        <source>대저 하나님의 모든 말씀은 능치 못하심이 없느니라</source>
        <translation>For with God nothing shall be impossible</translation>
    </message>
    <message>
        <source>누가복음 1:37</source>
        <translation>Luke 1:37</translation>
    </message>
    <message>
        <source>오늘날 다윗의 동네에 너희를 위하여 구주가 나셨으니 곧 그리스도 주시니라</source>
        <translation>For unto you is born this day in the city of David a Saviour, which is Christ the Lord</translation>
    </message>
    <message>
        <source>누가복음 2:11</source>
        <translation>Luke 2:11</translation>
    </message>
    <message>
        <source>지극히 높은 곳에서는 하나님께 영광이요 땅에서는 기뻐하심을 입은 사람들 중에 평화로다</source>
        <translation>Glory to God in the highest, and on earth peace, good will toward men</translation>
    </message>
    <message>
        <source>누가복음 2:14</source>
        <translation>Luke 2:14</translation>
    </message>
    <message>
        <source>예수는 그 지혜와 그 키가 자라가며 하나님과 사람에게 더 사랑스러워 가시더라</source>
        <translation>And Jesus increased in wisdom and stature, and in favour with God and man</translation>
    </message>
    <message>
        <source>누가복음 2:52</source>
        <translation>Luke 2:52</translation>
    </message>
    <message>
        <source>남에게 대접을 받고자 하는대로 너희도 남을 대접하라</source>
        <translation>And as ye would that men should do to you, do ye also to them likewise</translation>
    </message>
    <message>
        <source>누가복음 6:31</source>
        <translation>Luke 6:31</translation>
    </message>
    <message>
        <source>너희 아버지의 자비하심 같이 너희도 자비하라</source>
        <translation>Be ye therefore merciful, as your Father also is merciful</translation>
    </message>
    <message>
        <source>누가복음 6:36</source>
        <translation>Luke 6:36</translation>
    </message>
    <message>
        <source>주라 그리하면 너희에게 줄 것이니</source>
        <translation>Give, and it shall be given unto you</translation>
    </message>
    <message>
        <source>누가복음 6:38</source>
        <translation>Luke 6:38</translation>
    </message>
    <message>
        <source>인자의 온 것은 잃어버린 자를 찾아 구원하려 함이니라</source>
        <translation>For the Son of man is come to seek and to save that which was lost</translation>
    </message>
    <message>
        <source>누가복음 19:10</source>
        <translation>Luke 19:10</translation>
    </message>
    <message>
        <source>태초에 말씀이 계시니라 이 말씀이 하나님과 함께 계셨으니 이 말씀은 곧 하나님이시니라</source>
        <translation>In the beginning was the Word, and the Word was with God, and the Word was God</translation>
    </message>
    <message>
        <source>요한복음 1:1</source>
        <translation>John 1:1</translation>
    </message>
    <message>
        <source>빛이 어두움에 비취되 어두움이 깨닫지 못하더라</source>
        <translation>And the light shineth in darkness; and the darkness comprehended it not</translation>
    </message>
    <message>
        <source>요한복음 1:5</source>
        <translation>John 1:5</translation>
    </message>
    <message>
        <source>영접하는 자 곧 그 이름을 믿는 자들에게는 하나님의 자녀가 되는 권세를 주셨으니</source>
        <translation>But as many as received him, to them gave he power to become the sons of God, even to them that believe on his name</translation>
    </message>
    <message>
        <source>요한복음 1:12</source>
        <translation>John 1:12</translation>
    </message>
    <message>
        <source>말씀이 육신이 되어 우리 가운데 거하시매 우리가 그 영광을 보니 아버지의 독생자의 영광이요 은혜와 진리가 충만하더라</source>
        <translation>And the Word was made flesh, and dwelt among us, (and we beheld his glory, the glory as of the only begotten of the Father,) full of grace and truth</translation>
    </message>
    <message>
        <source>요한복음 1:14</source>
        <translation>John 1:14</translation>
    </message>
    <message>
        <source>하나님이 세상을 이처럼 사랑하사 독생자를 주셨으니 이는 저를 믿는 자마다 멸망치 않고 영생을 얻게 하려 하심이니라</source>
        <translation>For God so loved the world, that he gave his only begotten Son, that whosoever believeth in him should not perish, but have everlasting life</translation>
    </message>
    <message>
        <source>요한복음 3:16</source>
        <translation>John 3:16</translation>
    </message>
    <message>
        <source>하나님은 영이시니 예배하는 자가 신령과 진정으로 예배할찌니라</source>
        <translation>God is a Spirit: and they that worship him must worship him in spirit and in truth</translation>
    </message>
    <message>
        <source>요한복음 4:24</source>
        <translation>John 4:24</translation>
    </message>
    <message>
        <source>예수께서 가라사대 내가 곧 생명의 떡이니 내게 오는 자는 결코 주리지 아니할 터이요 나를 믿는 자는 영원히 목마르지 아니하리라</source>
        <translation>And Jesus said unto them, I am the bread of life: he that cometh to me shall never hunger; and he that believeth on me shall never thirst</translation>
    </message>
    <message>
        <source>요한복음 6:35</source>
        <translation>John 6:35</translation>
    </message>
    <message>
        <source>나는 세상의 빛이니 나를 따르는 자는 어두움에 다니지 아니하고 생명의 빛을 얻으리라</source>
        <translation>I am the light of the world: he that followeth me shall not walk in darkness, but shall have the light of life</translation>
    </message>
    <message>
        <source>요한복음 8:12</source>
        <translation>John 8:12</translation>
    </message>
    <message>
        <source>진리를 알찌니 진리가 너희를 자유케 하리라</source>
        <translation>And ye shall know the truth, and the truth shall make you free</translation>
    </message>
    <message>
        <source>요한복음 8:32</source>
        <translation>John 8:32</translation>
    </message>
    <message>
        <source>도적이 오는 것은 도적질하고 죽이고 멸망시키려는 것뿐이요 내가 온 것은 양으로 생명을 얻게 하고 더 풍성히 얻게 하려는 것이라</source>
        <translation>The thief cometh not, but for to steal, and to kill, and to destroy: I am come that they might have life, and that they might have it more abundantly</translation>
    </message>
    <message>
        <source>요한복음 10:10</source>
        <translation>John 10:10</translation>
    </message>
    <message>
        <source>나는 선한 목자라 선한 목자는 양들을 위하여 목숨을 버리거니와</source>
        <translation>I am the good shepherd: the good shepherd giveth his life for the sheep</translation>
    </message>
    <message>
        <source>요한복음 10:11</source>
        <translation>John 10:11</translation>
    </message>
    <message>
        <source>예수께서 가라사대 나는 부활이요 생명이니 나를 믿는 자는 죽어도 살겠고</source>
        <translation>Jesus said unto her, I am the resurrection, and the life: he that believeth in me, though he were dead, yet shall he live</translation>
    </message>
    <message>
        <source>요한복음 11:25</source>
        <translation>John 11:25</translation>
    </message>
    <message>
        <source>새 계명을 너희에게 주노니 서로 사랑하라 내가 너희를 사랑한것 같이 너희도 서로 사랑하라</source>
        <translation>A new commandment I give unto you, That ye love one another; as I have loved you, that ye also love one another</translation>
    </message>
    <message>
        <source>요한복음 13:34</source>
        <translation>John 13:34</translation>
    </message>
    <message>
        <source>너희는 마음에 근심하지 말라 하나님을 믿으니 또 나를 믿으라</source>
        <translation>Let not your heart be troubled: ye believe in God, believe also in me</translation>
    </message>
    <message>
        <source>요한복음 14:1</source>
        <translation>John 14:1</translation>
    </message>
    <message>
        <source>예수께서 가라사대 내가 곧 길이요 진리요 생명이니 나로 말미암지 않고는 아버지께로 올 자가 없느니라</source>
        <translation>Jesus saith unto him, I am the way, the truth, and the life: no man cometh unto the Father, but by me</translation>
    </message>
    <message>
        <source>요한복음 14:6</source>
        <translation>John 14:6</translation>
    </message>
    <message>
        <source>평안을 너희에게 끼치노니 곧 나의 평안을 너희에게 주노라 내가 너희에게 주는 것은 세상이 주는 것 같지 아니하니라 너희는 마음에 근심도 말고 두려워하지도 말라</source>
        <translation>Peace I leave with you, my peace I give unto you: not as the world giveth, give I unto you. Let not your heart be troubled, neither let it be afraid</translation>
    </message>
    <message>
        <source>요한복음 14:27</source>
        <translation>John 14:27</translation>
    </message>
    <message>
        <source>나는 포도나무요 너희는 가지니 저가 내 안에, 내가 저 안에 있으면 이 사람은 과실을 많이 맺나니 나를 떠나서는 너희가 아무 것도 할 수 없음이라</source>
        <translation>I am the vine, ye are the branches: He that abideth in me, and I in him, the same bringeth forth much fruit: for without me ye can do nothing</translation>
    </message>
    <message>
        <source>요한복음 15:5</source>
        <translation>John 15:5</translation>
    </message>
    <message>
        <source>사람이 친구를 위하여 자기 목숨을 버리면 이에서 더 큰 사랑이 없나니</source>
        <translation>Greater love hath no man than this, that a man lay down his life for his friends</translation>
    </message>
    <message>
        <source>요한복음 15:13</source>
        <translation>John 15:13</translation>
    </message>
    <message>
        <source>이것을 너희에게 이름은 너희로 내 안에서 평안을 누리게 하려함이라 세상에서는 너희가 환난을 당하나 담대하라 내가 세상을 이기었노라</source>
        <translation>These things I have spoken unto you, that in me ye might have peace. In the world ye shall have tribulation: but be of good cheer; I have overcome the world</translation>
    </message>
    <message>
        <source>요한복음 16:33</source>
        <translation>John 16:33</translation>
    </message>
    <message>
        <source>보지못하고 믿는 자들은 복되도다</source>
        <translation>Blessed are they that have not seen, and yet have believed</translation>
    </message>
    <message>
        <source>요한복음 20:29</source>
        <translation>John 20:29</translation>
    </message>
    <message>
        <source>오직 성령이 너희에게 임하시면 너희가 권능을 받고 예루살렘과 온 유대와 사마리아와 땅끝까지 이르러 내 증인이 되리라 하시니라</source>
        <translation>But ye shall receive power, after that the Holy Ghost is come upon you: and ye shall be witnesses unto me both in Jerusalem, and in all Judaea, and in Samaria, and unto the uttermost part of the earth</translation>
    </message>
    <message>
        <source>사도행전 1:8</source>
        <translation>Acts 1:8</translation>
    </message>
    <message>
        <source>다른이로서는 구원을 얻을 수 없나니 천하 인간에 구원을 얻을만한 다른 이름을 우리에게 주신 일이 없음이니라 하였더라</source>
        <translation>Neither is there salvation in any other: for there is none other name under heaven given among men, whereby we must be saved</translation>
    </message>
    <message>
        <source>사도행전 4:12</source>
        <translation>Acts 4:12</translation>
    </message>
    <message>
        <source>주 예수를 믿으라 그리하면 너와 네 집이 구원을 얻으리라</source>
        <translation>Believe on the Lord Jesus Christ, and thou shalt be saved, and thy house</translation>
    </message>
    <message>
        <source>사도행전 16:31</source>
        <translation>Acts 16:31</translation>
    </message>
    <message>
        <source>또 주 예수의 친히 말씀하신바 주는 것이 받는 것보다 복이 있다 하심을 기억하여야 할찌니라</source>
        <translation>And to remember the words of the Lord Jesus, how he said, It is more blessed to give than to receive</translation>
    </message>
    <message>
        <source>사도행전 20:35</source>
        <translation>Acts 20:35</translation>
    </message>
    <message>
        <source>내가 복음을 부끄러워하지 아니하노니 이 복음은 모든 믿는 자에게 구원을 주시는 하나님의 능력이 됨이라</source>
        <translation>For I am not ashamed of the gospel of Christ: for it is the power of God unto salvation to every one that believeth</translation>
    </message>
    <message>
        <source>로마서 1:16</source>
        <translation>Romans 1:16</translation>
    </message>
    <message>
        <source>모든 사람이 죄를 범하였으매 하나님의 영광에 이르지 못하더니</source>
        <translation>For all have sinned, and come short of the glory of God</translation>
    </message>
    <message>
        <source>로마서 3:23</source>
        <translation>Romans 3:23</translation>
    </message>
    <message>
        <source>그러므로 우리가 믿음으로 의롭다 하심을 얻었은즉 우리 주 예수 그리스도로 말미암아 하나님으로 더불어 화평을 누리자</source>
        <translation>Therefore being justified by faith, we have peace with God through our Lord Jesus Christ</translation>
    </message>
    <message>
        <source>로마서 5:1</source>
        <translation>Romans 5:1</translation>
    </message>
    <message>
        <source>소망이 부끄럽게 아니함은 우리에게 주신 성령으로 말미암아 하나님의 사랑이 우리 마음에 부은바 됨이니</source>
        <translation>And hope maketh not ashamed; because the love of God is shed abroad in our hearts by the Holy Ghost which is given unto us</translation>
    </message>
    <message>
        <source>로마서 5:5</source>
        <translation>Romans 5:5</translation>
    </message>
    <message>
        <source>우리가 아직 죄인 되었을 때에 그리스도께서 우리를 위하여 죽으심으로 하나님께서 우리에게 대한 자기의 사랑을 확증하셨느니라</source>
        <translation>But God commendeth his love toward us, in that, while we were yet sinners, Christ died for us</translation>
    </message>
    <message>
        <source>로마서 5:8</source>
        <translation>Romans 5:8</translation>
    </message>
    <message>
        <source>죄의 삯은 사망이요 하나님의 은사는 그리스도 예수 우리 주 안에 있는 영생이니라</source>
        <translation>For the wages of sin is death; but the gift of God is eternal life through Jesus Christ our Lord</translation>
    </message>
    <message>
        <source>로마서 6:23</source>
        <translation>Romans 6:23</translation>
    </message>
    <message>
        <source>그러므로 이제 그리스도 예수 안에 있는 자에게는 결코 정죄함이 없나니</source>
        <translation>There is therefore now no condemnation to them which are in Christ Jesus</translation>
    </message>
    <message>
        <source>로마서 8:1</source>
        <translation>Romans 8:1</translation>
    </message>
    <message>
        <source>생각건대 현재의 고난은 장차 우리에게 나타날 영광과 족히 비교할 수 없도다</source>
        <translation>For I reckon that the sufferings of this present time are not worthy to be compared with the glory which shall be revealed in us</translation>
    </message>
    <message>
        <source>로마서 8:18</source>
        <translation>Romans 8:18</translation>
    </message>
    <message>
        <source>우리가 알거니와 하나님을 사랑하는 자 곧 그 뜻대로 부르심을 입은 자들에게는 모든 것이 합력하여 선을 이루느니라</source>
        <translation>And we know that all things work together for good to them that love God, to them who are the called according to his purpose</translation>
    </message>
    <message>
        <source>로마서 8:28</source>
        <translation>Romans 8:28</translation>
    </message>
    <message>
        <source>만일 하나님이 우리를 위하시면 누가 우리를 대적하리요</source>
        <translation>If God be for us, who can be against us?</translation>
    </message>
    <message>
        <source>로마서 8:31</source>
        <translation>Romans 8:31</translation>
    </message>
    <message>
        <source>사람이 마음으로 믿어 의에 이르고 입으로 시인하여 구원에 이르느니라</source>
        <translation>For with the heart man believeth unto righteousness; and with the mouth confession is made unto salvation</translation>
    </message>
    <message>
        <source>로마서 10:10</source>
        <translation>Romans 10:10</translation>
    </message>
    <message>
        <source>그러므로 믿음은 들음에서 나며 들음은 그리스도의 말씀으로 말미암았느니라</source>
        <translation>So then faith cometh by hearing, and hearing by the word of God</translation>
    </message>
    <message>
        <source>로마서 10:17</source>
        <translation>Romans 10:17</translation>
    </message>
    <message>
        <source>너희는 이 세대를 본받지 말고 오직 마음을 새롭게 함으로 변화를 받아 하나님의 선하시고 기뻐하시고 온전하신 뜻이 무엇인지 분별하도록 하라</source>
        <translation>And be not conformed to this world: but be ye transformed by the renewing of your mind, that ye may prove what is that good, and acceptable, and perfect, will of God</translation>
    </message>
    <message>
        <source>로마서 12:2</source>
        <translation>Romans 12:2</translation>
    </message>
    <message>
        <source>소망 중에 즐거워하며 환난 중에 참으며 기도에 항상 힘쓰며</source>
        <translation>Rejoicing in hope; patient in tribulation; continuing instant in prayer</translation>
    </message>
    <message>
        <source>로마서 12:12</source>
        <translation>Romans 12:12</translation>
    </message>
    <message>
        <source>즐거워하는 자들로 함께 즐거워하고 우는 자들로 함께 울라</source>
        <translation>Rejoice with them that do rejoice, and weep with them that weep</translation>
    </message>
    <message>
        <source>로마서 12:15</source>
        <translation>Romans 12:15</translation>
    </message>
    <message>
        <source>악에게 지지 말고 선으로 악을 이기라</source>
        <translation>Be not overcome of evil, but overcome evil with good</translation>
    </message>
    <message>
        <source>로마서 12:21</source>
        <translation>Romans 12:21</translation>
    </message>
    <message>
        <source>사랑은 이웃에게 악을 행치 아니하나니 그러므로 사랑은 율법의 완성이니라</source>
        <translation>Love worketh no ill to his neighbour: therefore love is the fulfilling of the law</translation>
    </message>
    <message>
        <source>로마서 13:10</source>
        <translation>Romans 13:10</translation>
    </message>
    <message>
        <source>소망의 하나님이 모든 기쁨과 평강을 믿음 안에서 너희에게 충만케 하사 성령의 능력으로 소망이 넘치게 하시기를 원하노라</source>
        <translation>Now the God of hope fill you with all joy and peace in believing, that ye may abound in hope, through the power of the Holy Ghost</translation>
    </message>
    <message>
        <source>로마서 15:13</source>
        <translation>Romans 15:13</translation>
    </message>
    <message>
        <source>사람이 감당할 시험 밖에는 너희에게 당한 것이 없나니 오직 하나님은 미쁘사 너희가 감당치 못할 시험 당함을 허락지 아니하시고 시험 당할 즈음에 또한 피할 길을 내사 너희로 능히 감당하게 하시느니라</source>
        <translation>There hath no temptation taken you but such as is common to man: but God is faithful, who will not suffer you to be tempted above that ye are able; but will with the temptation also make a way to escape, that ye may be able to bear it</translation>
    </message>
    <message>
        <source>고린도전서 10:13</source>
        <translation>1 Corinthians 10:13</translation>
    </message>
    <message>
        <source>그런즉 너희가 먹든지 마시든지 무엇을 하든지 다 하나님의 영광을 위하여 하라</source>
        <translation>Whether therefore ye eat, or drink, or whatsoever ye do, do all to the glory of God</translation>
    </message>
    <message>
        <source>고린도전서 10:31</source>
        <translation>1 Corinthians 10:31</translation>
    </message>
    <message>
        <source>사랑은 오래 참고 사랑은 온유하며 투기하는 자가 되지 아니하며 사랑은 자랑하지 아니하며 교만하지 아니하며</source>
        <translation>Charity suffereth long, and is kind; charity envieth not; charity vaunteth not itself, is not puffed up</translation>
    </message>
    <message>
        <source>고린도전서 13:4</source>
        <translation>1 Corinthians 13:4</translation>
    </message>
    <message>
        <source>모든 것을 참으며 모든 것을 믿으며 모든 것을 바라며 모든 것을 견디느니라</source>
        <translation>Beareth all things, believeth all things, hopeth all things, endureth all things</translation>
    </message>
    <message>
        <source>고린도전서 13:7</source>
        <translation>1 Corinthians 13:7</translation>
    </message>
    <message>
        <source>그런즉 믿음, 소망, 사랑, 이 세 가지는 항상 있을 것인데 그 중에 제일은 사랑이라</source>
        <translation>And now abideth faith, hope, charity, these three; but the greatest of these is charity</translation>
    </message>
    <message>
        <source>고린도전서 13:13</source>
        <translation>1 Corinthians 13:13</translation>
    </message>
    <message>
        <source>너희 모든 일을 사랑으로 행하라</source>
        <translation>Let all your things be done with charity</translation>
    </message>
    <message>
        <source>고린도전서 16:14</source>
        <translation>1 Corinthians 16:14</translation>
    </message>
    <message>
        <source>그러므로 우리가 낙심하지 아니하노니 겉사람은 후패하나 우리의 속은 날로 새롭도다</source>
        <translation>For which cause we faint not; but though our outward man perish, yet the inward man is renewed day by day</translation>
    </message>
    <message>
        <source>고린도후서 4:16</source>
        <translation>2 Corinthians 4:16</translation>
    </message>
    <message>
        <source>이는 우리가 믿음으로 행하고 보는 것으로 하지 아니함이로라</source>
        <translation>For we walk by faith, not by sight</translation>
    </message>
    <message>
        <source>고린도후서 5:7</source>
        <translation>2 Corinthians 5:7</translation>
    </message>
    <message>
        <source>그런즉 누구든지 그리스도 안에 있으면 새로운 피조물이라 이전 것은 지나갔으니 보라 새것이 되었도다</source>
        <translation>Therefore if any man be in Christ, he is a new creature: old things are passed away; behold, all things are become new</translation>
    </message>
    <message>
        <source>고린도후서 5:17</source>
        <translation>2 Corinthians 5:17</translation>
    </message>
    <message>
        <source>각각 그 마음에 정한 대로 할 것이요 인색함으로나 억지로 하지 말찌니 하나님은 즐겨 내는 자를 사랑하시느니라</source>
        <translation>Every man according as he purposeth in his heart, so let him give; not grudgingly, or of necessity: for God loveth a cheerful giver</translation>
    </message>
    <message>
        <source>고린도후서 9:7</source>
        <translation>2 Corinthians 9:7</translation>
    </message>
    <message>
        <source>내 은혜가 네게 족하도다 이는 내 능력이 약한데서 온전하여짐이라</source>
        <translation>My grace is sufficient for thee: for my strength is made perfect in weakness</translation>
    </message>
    <message>
        <source>고린도후서 12:9</source>
        <translation>2 Corinthians 12:9</translation>
    </message>
    <message>
        <source>내가 그리스도와 함께 십자가에 못 박혔나니 그런즉 이제는 내가 산 것이 아니요 오직 내 안에 그리스도께서 사신 것이라</source>
        <translation>I am crucified with Christ: nevertheless I live; yet not I, but Christ liveth in me</translation>
    </message>
    <message>
        <source>갈라디아서 2:20</source>
        <translation>Galatians 2:20</translation>
    </message>
    <message>
        <source>오직 성령의 열매는 사랑과 희락과 화평과 오래 참음과 자비와 양선과 충성과</source>
        <translation>But the fruit of the Spirit is love, joy, peace, longsuffering, gentleness, goodness, faith</translation>
    </message>
    <message>
        <source>갈라디아서 5:22</source>
        <translation>Galatians 5:22</translation>
    </message>
    <message>
        <source>너희가 짐을 서로 지라 그리하여 그리스도의 법을 성취하라</source>
        <translation>Bear ye one another&apos;s burdens, and so fulfil the law of Christ</translation>
    </message>
    <message>
        <source>갈라디아서 6:2</source>
        <translation>Galatians 6:2</translation>
    </message>
    <message>
        <source>우리가 선을 행하되 낙심하지 말찌니 피곤하지 아니하면 때가 이르매 거두리라</source>
        <translation>And let us not be weary in well doing: for in due season we shall reap, if we faint not</translation>
    </message>
    <message>
        <source>갈라디아서 6:9</source>
        <translation>Galatians 6:9</translation>
    </message>
    <message>
        <source>너희가 그 은혜를 인하여 믿음으로 말미암아 구원을 얻었나니 이것이 너희에게서 난 것이 아니요 하나님의 선물이라</source>
        <translation>For by grace are ye saved through faith; and that not of yourselves: it is the gift of God</translation>
    </message>
    <message>
        <source>에베소서 2:8</source>
        <translation>Ephesians 2:8</translation>
    </message>
    <message>
        <source>우리는 그의 만드신바라 그리스도 예수 안에서 선한 일을 위하여 지으심을 받은 자니</source>
        <translation>For we are his workmanship, created in Christ Jesus unto good works</translation>
    </message>
    <message>
        <source>에베소서 2:10</source>
        <translation>Ephesians 2:10</translation>
    </message>
    <message>
        <source>모든 겸손과 온유로 하고 오래 참음으로 사랑 가운데서 서로 용납하고</source>
        <translation>With all lowliness and meekness, with longsuffering, forbearing one another in love</translation>
    </message>
    <message>
        <source>에베소서 4:2</source>
        <translation>Ephesians 4:2</translation>
    </message>
    <message>
        <source>분을 내어도 죄를 짓지 말며 해가 지도록 분을 품지 말고</source>
        <translation>Be ye angry, and sin not: let not the sun go down upon your wrath</translation>
    </message>
    <message>
        <source>에베소서 4:26</source>
        <translation>Ephesians 4:26</translation>
    </message>
    <message>
        <source>서로 인자하게 하며 불쌍히 여기며 서로 용서하기를 하나님이 그리스도 안에서 너희를 용서하심과 같이 하라</source>
        <translation>And be ye kind one to another, tenderhearted, forgiving one another, even as God for Christ&apos;s sake hath forgiven you</translation>
    </message>
    <message>
        <source>에베소서 4:32</source>
        <translation>Ephesians 4:32</translation>
    </message>
    <message>
        <source>세월을 아끼라 때가 악하니라</source>
        <translation>Redeeming the time, because the days are evil</translation>
    </message>
    <message>
        <source>에베소서 5:16</source>
        <translation>Ephesians 5:16</translation>
    </message>
    <message>
        <source>범사에 우리 주 예수 그리스도의 이름으로 항상 아버지 하나님께 감사하며</source>
        <translation>Giving thanks always for all things unto God and the Father in the name of our Lord Jesus Christ</translation>
    </message>
    <message>
        <source>에베소서 5:20</source>
        <translation>Ephesians 5:20</translation>
    </message>
    <message>
        <source>너희 속에 착한 일을 시작하신 이가 그리스도 예수의 날까지 이루실 줄을 우리가 확신하노라</source>
        <translation>Being confident of this very thing, that he which hath begun a good work in you will perform it until the day of Jesus Christ</translation>
    </message>
    <message>
        <source>빌립보서 1:6</source>
        <translation>Philippians 1:6</translation>
    </message>
    <message>
        <source>이는 내게 사는 것이 그리스도니 죽는 것도 유익함이니라</source>
        <translation>For to me to live is Christ, and to die is gain</translation>
    </message>
    <message>
        <source>빌립보서 1:21</source>
        <translation>Philippians 1:21</translation>
    </message>
    <message>
        <source>아무 일에든지 다툼이나 허영으로 하지 말고 오직 겸손한 마음으로 각각 자기보다 남을 낫게 여기고</source>
        <translation>Let nothing be done through strife or vainglory; but in lowliness of mind let each esteem other better than themselves</translation>
    </message>
    <message>
        <source>빌립보서 2:3</source>
        <translation>Philippians 2:3</translation>
    </message>
    <message>
        <source>너희 안에 이 마음을 품으라 곧 그리스도 예수의 마음이니</source>
        <translation>Let this mind be in you, which was also in Christ Jesus</translation>
    </message>
    <message>
        <source>빌립보서 2:5</source>
        <translation>Philippians 2:5</translation>
    </message>
    <message>
        <source>푯대를 향하여 그리스도 예수 안에서 하나님이 위에서 부르신 부름의 상을 위하여 좇아가노라</source>
        <translation>I press toward the mark for the prize of the high calling of God in Christ Jesus</translation>
    </message>
    <message>
        <source>빌립보서 3:14</source>
        <translation>Philippians 3:14</translation>
    </message>
    <message>
        <source>주 안에서 항상 기뻐하라 내가 다시 말하노니 기뻐하라</source>
        <translation>Rejoice in the Lord alway: and again I say, Rejoice</translation>
    </message>
    <message>
        <source>빌립보서 4:4</source>
        <translation>Philippians 4:4</translation>
    </message>
    <message>
        <source>아무 것도 염려하지 말고 오직 모든 일에 기도와 간구로, 너희 구할 것을 감사함으로 하나님께 아뢰라</source>
        <translation>Be careful for nothing; but in every thing by prayer and supplication with thanksgiving let your requests be made known unto God</translation>
    </message>
    <message>
        <source>빌립보서 4:6</source>
        <translation>Philippians 4:6</translation>
    </message>
    <message>
        <source>그리하면 모든 지각에 뛰어난 하나님의 평강이 그리스도 예수 안에서 너희 마음과 생각을 지키시리라</source>
        <translation>And the peace of God, which passeth all understanding, shall keep your hearts and minds through Christ Jesus</translation>
    </message>
    <message>
        <source>빌립보서 4:7</source>
        <translation>Philippians 4:7</translation>
    </message>
    <message>
        <source>내게 능력 주시는 자 안에서 내가 모든 것을 할 수 있느니라</source>
        <translation>I can do all things through Christ which strengtheneth me</translation>
    </message>
    <message>
        <source>빌립보서 4:13</source>
        <translation>Philippians 4:13</translation>
    </message>
    <message>
        <source>나의 하나님이 그리스도 예수 안에서 영광 가운데 그 풍성한대로 너희 모든 쓸 것을 채우시리라</source>
        <translation>But my God shall supply all your need according to his riches in glory by Christ Jesus</translation>
    </message>
    <message>
        <source>빌립보서 4:19</source>
        <translation>Philippians 4:19</translation>
    </message>
    <message>
        <source>위엣 것을 생각하고 땅엣 것을 생각지 말라</source>
        <translation>Set your affection on things above, not on things on the earth</translation>
    </message>
    <message>
        <source>골로새서 3:2</source>
        <translation>Colossians 3:2</translation>
    </message>
    <message>
        <source>이 모든 것 위에 사랑을 더하라 이는 온전하게 매는 띠니라</source>
        <translation>And above all these things put on charity, which is the bond of perfectness</translation>
    </message>
    <message>
        <source>골로새서 3:14</source>
        <translation>Colossians 3:14</translation>
    </message>
    <message>
        <source>또한 너희는 감사하는 자가 되라</source>
        <translation>And be ye thankful</translation>
    </message>
    <message>
        <source>골로새서 3:15</source>
        <translation>Colossians 3:15</translation>
    </message>
    <message>
        <source>무슨 일을 하든지 마음을 다하여 주께 하듯하고 사람에게 하듯하지 말라</source>
        <translation>And whatsoever ye do, do it heartily, as to the Lord, and not unto men</translation>
    </message>
    <message>
        <source>골로새서 3:23</source>
        <translation>Colossians 3:23</translation>
    </message>
    <message>
        <source>기도를 항상 힘쓰고 기도에 감사함으로 깨어 있으라</source>
        <translation>Continue in prayer, and watch in the same with thanksgiving</translation>
    </message>
    <message>
        <source>골로새서 4:2</source>
        <translation>Colossians 4:2</translation>
    </message>
    <message>
        <source>항상 기뻐하라</source>
        <translation>Rejoice evermore</translation>
    </message>
    <message>
        <source>데살로니가전서 5:16</source>
        <translation>1 Thessalonians 5:16</translation>
    </message>
    <message>
        <source>쉬지 말고 기도하라</source>
        <translation>Pray without ceasing</translation>
    </message>
    <message>
        <source>데살로니가전서 5:17</source>
        <translation>1 Thessalonians 5:17</translation>
    </message>
    <message>
        <source>범사에 감사하라 이는 그리스도 예수 안에서 너희를 향하신 하나님의 뜻이니라</source>
        <translation>In every thing give thanks: for this is the will of God in Christ Jesus concerning you</translation>
    </message>
    <message>
        <source>데살로니가전서 5:18</source>
        <translation>1 Thessalonians 5:18</translation>
    </message>
    <message>
        <source>누구든지 네 연소함을 업신여기지 못하게 하고 오직 말과 행실과 사랑과 믿음과 정절에 대하여 믿는 자에게 본이 되어</source>
        <translation>Let no man despise thy youth; but be thou an example of the believers, in word, in conversation, in charity, in spirit, in faith, in purity</translation>
    </message>
    <message>
        <source>디모데전서 4:12</source>
        <translation>1 Timothy 4:12</translation>
    </message>
    <message>
        <source>그러나 지족하는 마음이 있으면 경건이 큰 이익이 되느니라</source>
        <translation>But godliness with contentment is great gain</translation>
    </message>
    <message>
        <source>디모데전서 6:6</source>
        <translation>1 Timothy 6:6</translation>
    </message>
    <message>
        <source>하나님이 우리에게 주신 것은 두려워하는 마음이 아니요 오직 능력과 사랑과 근신하는 마음이니</source>
        <translation>For God hath not given us the spirit of fear; but of power, and of love, and of a sound mind</translation>
    </message>
    <message>
        <source>디모데후서 1:7</source>
        <translation>2 Timothy 1:7</translation>
    </message>
    <message>
        <source>모든 성경은 하나님의 감동으로 된 것으로 교훈과 책망과 바르게 함과 의로 교육하기에 유익하니</source>
        <translation>All scripture is given by inspiration of God, and is profitable for doctrine, for reproof, for correction, for instruction in righteousness</translation>
    </message>
    <message>
        <source>디모데후서 3:16</source>
        <translation>2 Timothy 3:16</translation>
    </message>
    <message>
        <source>너는 말씀을 전파하라 때를 얻든지 못 얻든지 항상 힘쓰라</source>
        <translation>Preach the word; be instant in season, out of season</translation>
    </message>
    <message>
        <source>디모데후서 4:2</source>
        <translation>2 Timothy 4:2</translation>
    </message>
    <message>
        <source>하나님의 말씀은 살았고 운동력이 있어 좌우에 날선 어떤 검보다도 예리하여</source>
        <translation>For the word of God is quick, and powerful, and sharper than any twoedged sword</translation>
    </message>
    <message>
        <source>히브리서 4:12</source>
        <translation>Hebrews 4:12</translation>
    </message>
    <message>
        <source>그러므로 우리가 긍휼하심을 받고 때를 따라 돕는 은혜를 얻기 위하여 은혜의 보좌 앞에 담대히 나아갈 것이니라</source>
        <translation>Let us therefore come boldly unto the throne of grace, that we may obtain mercy, and find grace to help in time of need</translation>
    </message>
    <message>
        <source>히브리서 4:16</source>
        <translation>Hebrews 4:16</translation>
    </message>
    <message>
        <source>믿음은 바라는 것들의 실상이요 보지 못하는 것들의 증거니</source>
        <translation>Now faith is the substance of things hoped for, the evidence of things not seen</translation>
    </message>
    <message>
        <source>히브리서 11:1</source>
        <translation>Hebrews 11:1</translation>
    </message>
    <message>
        <source>믿음이 없이는 기쁘시게 못하나니</source>
        <translation>But without faith it is impossible to please him</translation>
    </message>
    <message>
        <source>히브리서 11:6</source>
        <translation>Hebrews 11:6</translation>
    </message>
    <message>
        <source>믿음의 주요 또 온전케 하시는 이인 예수를 바라보자</source>
        <translation>Looking unto Jesus the author and finisher of our faith</translation>
    </message>
    <message>
        <source>히브리서 12:2</source>
        <translation>Hebrews 12:2</translation>
    </message>
    <message>
        <source>예수 그리스도는 어제나 오늘이나 영원토록 동일하시니라</source>
        <translation>Jesus Christ the same yesterday, and to day, and for ever</translation>
    </message>
    <message>
        <source>히브리서 13:8</source>
        <translation>Hebrews 13:8</translation>
    </message>
    <message>
        <source>내 형제들아 너희가 여러가지 시험을 만나거든 온전히 기쁘게 여기라</source>
        <translation>My brethren, count it all joy when ye fall into divers temptations</translation>
    </message>
    <message>
        <source>야고보서 1:2</source>
        <translation>James 1:2</translation>
    </message>
    <message>
        <source>너희 중에 누구든지 지혜가 부족하거든 모든 사람에게 후히 주시고 꾸짖지 아니하시는 하나님께 구하라 그리하면 주시리라</source>
        <translation>If any of you lack wisdom, let him ask of God, that giveth to all men liberally, and upbraideth not; and it shall be given him</translation>
    </message>
    <message>
        <source>야고보서 1:5</source>
        <translation>James 1:5</translation>
    </message>
    <message>
        <source>사람마다 듣기는 속히 하고 말하기는 더디 하며 성내기도 더디 하라</source>
        <translation>Let every man be swift to hear, slow to speak, slow to wrath</translation>
    </message>
    <message>
        <source>야고보서 1:19</source>
        <translation>James 1:19</translation>
    </message>
    <message>
        <source>하나님을 가까이 하라 그리하면 너희를 가까이 하시리라</source>
        <translation>Draw nigh to God, and he will draw nigh to you</translation>
    </message>
    <message>
        <source>야고보서 4:8</source>
        <translation>James 4:8</translation>
    </message>
    <message>
        <source>무엇보다도 열심으로 서로 사랑할찌니 사랑은 허다한 죄를 덮느니라</source>
        <translation>And above all things have fervent charity among yourselves: for charity shall cover the multitude of sins</translation>
    </message>
    <message>
        <source>베드로전서 4:8</source>
        <translation>1 Peter 4:8</translation>
    </message>
    <message>
        <source>너희 염려를 다 주께 맡겨 버리라 이는 저가 너희를 권고하심이니라</source>
        <translation>Casting all your care upon him; for he careth for you</translation>
    </message>
    <message>
        <source>베드로전서 5:7</source>
        <translation>1 Peter 5:7</translation>
    </message>
    <message>
        <source>주께는 하루가 천년 같고 천년이 하루 같은 이 한가지를 잊지 말라</source>
        <translation>But, beloved, be not ignorant of this one thing, that one day is with the Lord as a thousand years, and a thousand years as one day</translation>
    </message>
    <message>
        <source>베드로후서 3:8</source>
        <translation>2 Peter 3:8</translation>
    </message>
    <message>
        <source>만일 우리가 우리 죄를 자백하면 저는 미쁘시고 의로우사 우리 죄를 사하시며 모든 불의에서 우리를 깨끗케 하실 것이요</source>
        <translation>If we confess our sins, he is faithful and just to forgive us our sins, and to cleanse us from all unrighteousness</translation>
    </message>
    <message>
        <source>요한일서 1:9</source>
        <translation>1 John 1:9</translation>
    </message>
    <message>
        <source>사랑하는 자들아 우리가 서로 사랑하자 사랑은 하나님께 속한것이니</source>
        <translation>Beloved, let us love one another: for love is of God</translation>
    </message>
    <message>
        <source>요한일서 4:7</source>
        <translation>1 John 4:7</translation>
    </message>
    <message>
        <source>사랑하지 아니하는 자는 하나님을 알지 못하나니 이는 하나님은 사랑이심이라</source>
        <translation>He that loveth not knoweth not God; for God is love</translation>
    </message>
    <message>
        <source>요한일서 4:8</source>
        <translation>1 John 4:8</translation>
    </message>
    <message>
        <source>사랑 안에 두려움이 없고 온전한 사랑이 두려움을 내어 쫓나니</source>
        <translation>There is no fear in love; but perfect love casteth out fear</translation>
    </message>
    <message>
        <source>요한일서 4:18</source>
        <translation>1 John 4:18</translation>
    </message>
    <message>
        <source>우리가 사랑함은 그가 먼저 우리를 사랑하셨음이라</source>
        <translation>We love him, because he first loved us</translation>
    </message>
    <message>
        <source>요한일서 4:19</source>
        <translation>1 John 4:19</translation>
    </message>
    <message>
        <source>볼찌어다 내가 문밖에 서서 두드리노니 누구든지 내 음성을 듣고 문을 열면 내가 그에게로 들어가 그로 더불어 먹고 그는 나로 더불어 먹으리라</source>
        <translation>Behold, I stand at the door, and knock: if any man hear my voice, and open the door, I will come in to him, and will sup with him, and he with me</translation>
    </message>
    <message>
        <source>요한계시록 3:20</source>
        <translation>Revelation 3:20</translation>
    </message>
    <message>
        <source>모든 눈물을 그 눈에서 씻기시매 다시 사망이 없고 애통하는 것이나 곡하는 것이나 아픈 것이 다시 있지 아니하리니</source>
        <translation>And God shall wipe away all tears from their eyes; and there shall be no more death, neither sorrow, nor crying, neither shall there be any more pain</translation>
    </message>
    <message>
        <source>요한계시록 21:4</source>
        <translation>Revelation 21:4</translation>
    </message>
    <message>
        <source>금지 문자 (\ : * ? &quot; &lt; &gt; | 등)</source>
        <translation>Forbidden characters (\ : * ? &quot; &lt; &gt; | and others)</translation>
    </message>
    <message>
        <source>이름 끝의 공백·마침표</source>
        <translation>Space or period at the end of the name</translation>
    </message>
    <message>
        <source>Windows 예약어 (%@)</source>
        <translation>Reserved Windows name (%@)</translation>
    </message>
    <message>
        <source>이름 없음</source>
        <translation>No name</translation>
    </message>
    <message>
        <source>Windows에서 저장 안 되는 이름 정리</source>
        <translation>Fix names Windows cannot store</translation>
    </message>
    <message>
        <source>파일이나 폴더를 끌어다 놓으세요</source>
        <translation>Drag files or folders here</translation>
    </message>
    <message>
        <source>Windows로 보내기 전에 문제가 될 파일명을 찾아냅니다</source>
        <translation>Finds the file names that will cause trouble before you send them to Windows</translation>
    </message>
    <message>
        <source>파일 선택…</source>
        <translation>Choose Files…</translation>
    </message>
    <message>
        <source>맥에서는 파일명에 * ? &quot; &lt; &gt; | 같은 문자나 이름 끝의 마침표·공백이 자유롭지만, Windows에서는 저장 자체가 안 됩니다. CON, PRN 같은 Windows 예약어도 마찬가지예요. 문제가 되는 이름을 찾아 안전한 이름으로 한 번에 바꿔 드립니다.</source>
        <translation>On a Mac or on Linux, file names may contain characters such as * ? &quot; &lt; &gt; | or end in a period or a space, but Windows cannot store them at all. The same goes for reserved Windows names such as CON and PRN. This tool finds the troublesome names and renames them safely in one go.</translation>
    </message>
    <message>
        <source>파일명을 검사할 파일이나 폴더를 선택하세요</source>
        <translation>Choose the files or folders whose names to check</translation>
    </message>
    <message>
        <source>변경 대기</source>
        <translation>To rename</translation>
    </message>
    <message>
        <source>완료</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>모든 파일명이 Windows에서 안전합니다</source>
        <translation>Every file name is safe on Windows</translation>
    </message>
    <message numerus="yes">
        <source>%lld개 항목 모두 문제가 없습니다.
다른 파일을 끌어다 놓으면 이어서 검사합니다.</source>
        <translation>
            <numerusform>The %lld item checked has no problems.
Drop more files to keep checking.</numerusform>
            <numerusform>All %lld items have no problems.
Drop more files to keep checking.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>문제 %lld개</source>
        <translation>
            <numerusform>%lld problem</numerusform>
            <numerusform>%lld problems</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%lld개 이름 바꾸기</source>
        <translation>
            <numerusform>Rename %lld Item</numerusform>
            <numerusform>Rename %lld Items</numerusform>
        </translation>
    </message>
    <message>
        <source>변환 대기</source>
        <translation>To convert</translation>
    </message>
    <message>
        <source>파일이나 폴더를 여기에 끌어다 놓으세요</source>
        <translation>Drag files or folders here</translation>
    </message>
    <message>
        <source>폴더를 놓으면 안의 모든 파일과 하위 폴더까지 검사합니다</source>
        <translation>Drop a folder to check every file and subfolder in it</translation>
    </message>
    <message>
        <source>맥은 파일명을 분해형(NFD)으로 저장합니다. 한글은 &quot;ㅎㅏㄴㄱㅡㄹ ㅁㅜㄴㅅㅓ.hwp&quot;처럼 자모가 흩어져 보이고, 일본어는 탁점이 &quot;か゛っこう&quot;처럼 떨어져 나오며, 베트남어·유럽 언어는 성조·악센트 부호가 어긋납니다. 완성형(NFC)으로 변환하면 Windows에서도 &quot;한글 문서.hwp&quot;처럼 정상 표시되고, 검색·정렬도 제대로 동작합니다.</source>
        <translation>A Mac stores file names in decomposed form (NFD). Korean names fall apart into jamo like &quot;ㅎㅏㄴㄱㅡㄹ ㅁㅜㄴㅅㅓ.hwp&quot;, Japanese voicing marks come loose like &quot;か゛っこう&quot;, and the tone and accent marks of Vietnamese and European languages slip. Converted to composed form (NFC), names show correctly on Windows too, like &quot;한글 문서.hwp&quot;, and searching and sorting work as they should.</translation>
    </message>
    <message>
        <source>변환 방향</source>
        <translation>Convert To</translation>
    </message>
    <message>
        <source>어느 형식으로 변환할지 선택합니다. Windows로 보낼 파일은 완성형(NFC)을 사용하세요.</source>
        <translation>Choose the form to convert to. Use composed (NFC) for files going to Windows.</translation>
    </message>
    <message>
        <source>지금 Windows에서는: %@</source>
        <translation>On Windows now: %@</translation>
    </message>
    <message>
        <source>모든 파일명이 이미 정상입니다</source>
        <translation>Every file name is already fine</translation>
    </message>
    <message numerus="yes">
        <source>검사한 %lld개 항목 모두 변환이 필요 없습니다.
다른 파일을 끌어다 놓으면 이어서 검사합니다.</source>
        <translation>
            <numerusform>The %lld item checked needs no conversion.
Drop more files to keep checking.</numerusform>
            <numerusform>None of the %lld items checked needs conversion.
Drop more files to keep checking.</numerusform>
        </translation>
    </message>
    <message>
        <source>변환 대상 %lld개</source>
        <translation>%lld to convert</translation>
    </message>
    <message>
        <source>이미 정상 %lld개</source>
        <translation>%lld already fine</translation>
    </message>
    <message numerus="yes">
        <source>%lld개 변환</source>
        <translation>
            <numerusform>Convert %lld Item</numerusform>
            <numerusform>Convert %lld Items</numerusform>
        </translation>
    </message>
    <message>
        <source>Windows용 · 완성형 (NFC)</source>
        <translation>For Windows · Composed (NFC)</translation>
    </message>
    <message>
        <source>옛 Mac 방식 · 분리형 (NFD)</source>
        <translation>Old Mac style · Decomposed (NFD)</translation>
    </message>
    <message>
        <source>사진을 읽을 수 없습니다</source>
        <translation>The photo cannot be read</translation>
    </message>
    <message>
        <source>JPG 변환 준비 실패</source>
        <translation>Could not prepare the JPG conversion</translation>
    </message>
    <message>
        <source>JPG 저장 실패</source>
        <translation>Could not save the JPG</translation>
    </message>
    <message>
        <source>HEIC 사진이나 폴더를 끌어다 놓으세요</source>
        <translation>Drag HEIC photos or folders here</translation>
    </message>
    <message>
        <source>원본은 그대로 두고 같은 폴더에 JPG를 만듭니다</source>
        <translation>Makes a JPG in the same folder and leaves the original as it is</translation>
    </message>
    <message>
        <source>사진 선택…</source>
        <translation>Choose Photos…</translation>
    </message>
    <message>
        <source>아이폰과 맥은 사진을 HEIC 형식으로 저장하는데, Windows에서는 별도 코덱 없이 열리지 않습니다. JPG로 변환해서 보내면 어디서나 열립니다. 촬영 정보와 사진 방향은 그대로 유지됩니다.</source>
        <translation>iPhones and Macs save photos as HEIC, which Windows cannot open without an extra codec. Convert them to JPG before sending and they open anywhere. The shooting details and the photo&apos;s orientation are kept.</translation>
    </message>
    <message>
        <source>변환할 HEIC 사진이나 폴더를 선택하세요</source>
        <translation>Choose HEIC photos or folders to convert</translation>
    </message>
    <message>
        <source>HEIC 사진이 없습니다</source>
        <translation>No HEIC photos</translation>
    </message>
    <message>
        <source>끌어다 놓은 항목에서 HEIC/HEIF 사진을 찾지 못했습니다.
다른 파일을 끌어다 놓으면 이어서 검사합니다.</source>
        <translation>No HEIC/HEIF photos were found in what you dropped.
Drop more files to keep checking.</translation>
    </message>
    <message numerus="yes">
        <source>HEIC %lld장 (%@)</source>
        <translation>
            <numerusform>%lld HEIC photo (%@)</numerusform>
            <numerusform>%lld HEIC photos (%@)</numerusform>
        </translation>
    </message>
    <message>
        <source>완료 %lld장</source>
        <translation>%lld done</translation>
    </message>
    <message>
        <source>실패 %lld장</source>
        <translation>%lld failed</translation>
    </message>
    <message numerus="yes">
        <source>%lld장 JPG로 변환</source>
        <translation>
            <numerusform>Convert %lld Photo to JPG</numerusform>
            <numerusform>Convert %lld Photos to JPG</numerusform>
        </translation>
    </message>
    <message>
        <source>비우기</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>다시 검사</source>
        <translation>Check Again</translation>
    </message>
    <message>
        <source>정리할 것 없음</source>
        <translation>Nothing to fix</translation>
    </message>
    <message>
        <source>방금 작업 되돌리기</source>
        <translation>Undo the Last Fix</translation>
    </message>
    <message>
        <source>이름은 원래대로, 휴지통으로 보낸 파일은 제자리로, 만든 JPG 사본은 휴지통으로 돌아갑니다.</source>
        <translation>Names go back to what they were, files sent to the Trash return to their places, and the JPG copies made go to the Trash.</translation>
    </message>
    <message>
        <source>공유하기</source>
        <translation>Share</translation>
    </message>
    <message>
        <source>파일을 클립보드에 담아요 — 파일 관리자나 메신저, 메일에 붙여 넣으세요.</source>
        <translation>Copies the files to the clipboard — paste them into a file manager, a chat or an email.</translation>
    </message>
    <message>
        <source>Finder에서 보기</source>
        <translation>Show in File Manager</translation>
    </message>
    <message>
        <source>ZIP으로 묶기</source>
        <translation>Make a ZIP</translation>
    </message>
    <message>
        <source>정리된 파일을 Windows에서도 깨지지 않는 ZIP으로 바로 압축합니다.</source>
        <translation>Packs the fixed files straight into a ZIP that stays intact on Windows.</translation>
    </message>
    <message numerus="yes">
        <source>선택한 %lld가지 한 번에 해결하기</source>
        <translation>
            <numerusform>Fix %lld Selected Problem</numerusform>
            <numerusform>Fix %lld Selected Problems at Once</numerusform>
        </translation>
    </message>
    <message>
        <source>해결할 항목을 선택하세요</source>
        <translation>Select what to fix</translation>
    </message>
    <message>
        <source>%@ %lld개 완료</source>
        <translation>%@: %lld done</translation>
    </message>
    <message>
        <source>%@ %lld개 · 실패 %lld개</source>
        <translation>%@: %lld done · %lld failed</translation>
    </message>
    <message>
        <source>문제 없음</source>
        <translation>No problems</translation>
    </message>
    <message>
        <source>%@ 예정</source>
        <translation>%@ planned</translation>
    </message>
    <message>
        <source>체크 해제됨 — 건너뜀</source>
        <translation>Unchecked — skipped</translation>
    </message>
    <message>
        <source>%lld개</source>
        <translation>%lld</translation>
    </message>
    <message>
        <source>한글 파일명 복구</source>
        <translation>Repair Korean file names</translation>
    </message>
    <message>
        <source>시스템 잔여 파일 정리</source>
        <translation>Clean up leftover system files</translation>
    </message>
    <message>
        <source>사용 불가 문자 정리</source>
        <translation>Fix forbidden characters</translation>
    </message>
    <message>
        <source>HEIC → JPG 변환</source>
        <translation>HEIC → JPG conversion</translation>
    </message>
    <message>
        <source>이제 안심하고 보내세요 — 아래에서 바로 압축하거나 공유할 수 있어요</source>
        <translation>Send them with confidence — you can compress or share them right below</translation>
    </message>
    <message>
        <source>ㅎㅏㄴㄱㅡㄹ</source>
        <translation>ㅎㅏㄴㄱㅡㄹ</translation>
    </message>
    <message numerus="yes">
        <source>↩︎ %lld개 항목을 원래대로 되돌렸어요</source>
        <translation>
            <numerusform>↩︎ Restored %lld item</numerusform>
            <numerusform>↩︎ Restored %lld items</numerusform>
        </translation>
    </message>
    <message>
        <source>↩︎ %lld개 되돌림 · %lld개 실패</source>
        <translation>↩︎ %lld restored · %lld failed</translation>
    </message>
    <message numerus="yes">
        <source>포르랑! %lld개 항목을 해결했어요 (%lld개 실패)</source>
        <translation>
            <numerusform>Done! Fixed %lld item (%lld failed)</numerusform>
            <numerusform>Done! Fixed %lld items (%lld failed)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>포르랑! %lld개 항목을 해결했어요</source>
        <translation>
            <numerusform>Done! Fixed %lld item</numerusform>
            <numerusform>Done! Fixed %lld items</numerusform>
        </translation>
    </message>
    <message>
        <source>글자가 분해된 이름 — Windows에서 %@처럼 깨져 보여요</source>
        <translation>Names broken into jamo — they look garbled on Windows, like %@</translation>
    </message>
    <message>
        <source>.DS_Store · ._* · __MACOSX — 받는 사람에게는 쓰레기 파일이에요</source>
        <translation>.DS_Store · ._* · __MACOSX — junk files to whoever receives them</translation>
    </message>
    <message>
        <source>휴지통 이동</source>
        <translation>Move to Trash</translation>
    </message>
    <message>
        <source>\ : * ? 같은 금지 문자 — Windows에서 저장할 수 없어요</source>
        <translation>Forbidden characters such as \ : * ? — Windows cannot store them</translation>
    </message>
    <message>
        <source>이름 변경</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>JPG 변환</source>
        <translation>JPG conversion</translation>
    </message>
    <message>
        <source>원본은 그대로 두고 어디서나 열리는 JPG 사본을 만들어요</source>
        <translation>Makes JPG copies that open anywhere and leaves the originals as they are</translation>
    </message>
    <message numerus="yes">
        <source>폴더 %lld개는 권한이 없어 살펴보지 못했습니다</source>
        <translation>
            <numerusform>%lld folder could not be checked for lack of permission</numerusform>
            <numerusform>%lld folders could not be checked for lack of permission</numerusform>
        </translation>
    </message>
    <message>
        <source>자소가 분리된 파일명 %lld개와 시스템 잔여 파일 %lld개가 발견됐어요 — Windows로 보낼 준비로 판단했어요.</source>
        <translation>Names split into jamo: %lld, leftover system files: %lld — looks like you are getting files ready for Windows.</translation>
    </message>
    <message numerus="yes">
        <source>자소가 분리된 파일명 %lld개를 찾았어요 — Windows로 보내면 이름이 깨져 보여요.</source>
        <translation>
            <numerusform>Found %lld name split into jamo — it will look garbled on Windows.</numerusform>
            <numerusform>Found %lld names split into jamo — they will look garbled on Windows.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Windows에서 저장할 수 없는 이름 %lld개를 찾았어요.</source>
        <translation>
            <numerusform>Found %lld name Windows cannot store.</numerusform>
            <numerusform>Found %lld names Windows cannot store.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>HEIC 사진 %lld장이 있어요 — 어디서나 열리는 JPG 변환을 추천해요.</source>
        <translation>
            <numerusform>There is %lld HEIC photo — converting it to JPG, which opens anywhere, is recommended.</numerusform>
            <numerusform>There are %lld HEIC photos — converting them to JPG, which opens anywhere, is recommended.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>시스템 잔여 파일 %lld개만 발견됐어요 — 정리하면 깔끔하게 보낼 수 있어요.</source>
        <translation>
            <numerusform>Found only %lld leftover system file — clean it up to send things tidily.</numerusform>
            <numerusform>Found only %lld leftover system files — clean them up to send things tidily.</numerusform>
        </translation>
    </message>
    <message>
        <source>문제를 찾지 못했어요 — 그대로 보내셔도 좋아요.</source>
        <translation>No problems found — you can send them as they are.</translation>
    </message>
    <message>
        <source>파일 문제 해결사</source>
        <translation>File Fixer</translation>
    </message>
    <message>
        <source>파일이나 폴더를 여기에 놓으세요</source>
        <translation>Drop files or folders here</translation>
    </message>
    <message>
        <source>어디가 불편한지 누리함이 살펴보고, 고칠 방법을 알려드릴게요</source>
        <translation>Quillfern will look for problems and tell you how to fix them</translation>
    </message>
    <message>
        <source>드래그 앤 드롭 · Dock의 누리함 아이콘에 놓아도 돼요</source>
        <translation>Drag and drop · You can also drop them on the Quillfern icon in your taskbar or launcher</translation>
    </message>
    <message>
        <source>자모 분리 파일명(NFD), 맥 쓰레기 파일(.DS_Store 등), Windows에서 저장 안 되는 이름, 안 열리는 HEIC 사진까지 한 번에 진단하고, 승인한 것만 고칩니다. 모든 변경은 되돌릴 수 있어요. 특정 작업이 필요하면 왼쪽 목록에서 도구를 직접 선택하세요.</source>
        <translation>Checks for names split into jamo (NFD), Mac junk files (.DS_Store and others), names Windows cannot store and HEIC photos that will not open, all at once, and fixes only what you approve. Every change can be undone. For a specific job, pick a tool from the list on the left.</translation>
    </message>
    <message>
        <source>살펴볼 파일이나 폴더를 선택하세요</source>
        <translation>Choose files or folders to check</translation>
    </message>
    <message>
        <source>진단</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>이 탭에 추가</source>
        <translation>Add to This Tab</translation>
    </message>
    <message>
        <source>새 탭에서 시작</source>
        <translation>Start in a New Tab</translation>
    </message>
    <message>
        <source>취소</source>
        <translation>Cancel</translation>
    </message>
    <message numerus="yes">
        <source>파일 %lld개를 받았어요</source>
        <translation>
            <numerusform>Received %lld file</numerusform>
            <numerusform>Received %lld files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>이 탭에는 이미 %lld개가 있어요. 어떻게 할까요?</source>
        <translation>
            <numerusform>This tab already holds %lld item. What would you like to do?</numerusform>
            <numerusform>This tab already holds %lld items. What would you like to do?</numerusform>
        </translation>
    </message>
    <message>
        <source>원래 이름 자리에 다른 파일이 있습니다</source>
        <translation>Another file now has the original name</translation>
    </message>
    <message>
        <source>화면 잠자기</source>
        <translation>Display sleep</translation>
    </message>
    <message>
        <source>유휴 잠자기</source>
        <translation>Idle sleep</translation>
    </message>
    <message>
        <source>디스크 잠자기</source>
        <translation>Disk sleep</translation>
    </message>
    <message>
        <source>시스템 잠자기</source>
        <translation>System sleep</translation>
    </message>
    <message>
        <source>화면 보호기</source>
        <translation>Screen saver</translation>
    </message>
    <message>
        <source>화면이 어두워지거나 꺼지지 않습니다</source>
        <translation>The screen does not dim or turn off</translation>
    </message>
    <message>
        <source>손을 놓아도 맥이 잠들지 않습니다</source>
        <translation>The computer stays awake while you are away</translation>
    </message>
    <message>
        <source>디스크가 멈추지 않습니다 — 긴 복사·백업에 유용</source>
        <translation>Disks keep spinning — useful for long copies and backups</translation>
    </message>
    <message>
        <source>전원이 연결된 동안 잠자기를 막습니다</source>
        <translation>Prevents sleep while plugged in</translation>
    </message>
    <message>
        <source>사용 중으로 표시해 화면 보호기까지 막습니다</source>
        <translation>Reports activity, so even the screen saver stays off</translation>
    </message>
    <message>
        <source>계속</source>
        <translation>Indefinitely</translation>
    </message>
    <message>
        <source>30분</source>
        <translation>30 minutes</translation>
    </message>
    <message>
        <source>1시간</source>
        <translation>1 hour</translation>
    </message>
    <message>
        <source>2시간</source>
        <translation>2 hours</translation>
    </message>
    <message>
        <source>다운로드·발표할 때 화면 꺼짐 막기</source>
        <translation>Keep the screen on during downloads and presentations</translation>
    </message>
    <message>
        <source>이 데스크톱에는 잠자기를 막아 줄 전원 서비스가 없어 켤 수 없습니다</source>
        <translation>This desktop has no power service to keep the computer awake, so this cannot be switched on</translation>
    </message>
    <message>
        <source>지속 시간</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>막을 항목</source>
        <translation>Prevent</translation>
    </message>
    <message>
        <source>하나 이상 선택해야 켤 수 있습니다</source>
        <translation>Select at least one to turn it on</translation>
    </message>
    <message>
        <source>큰 파일 다운로드, 발표, 영상 시청 중에 맥이 잠들어 버리는 것을 막습니다. 메뉴 막대의 누리함 아이콘에서도 켜고 끌 수 있으며, 앱을 종료하면 자동으로 해제되어 배터리 걱정이 없습니다. 노트북 뚜껑을 닫으면 어떤 설정으로도 잠자기를 막을 수 없습니다.</source>
        <translation>Keeps your computer from falling asleep during big downloads, presentations and videos. You can also turn it on and off from the Quillfern icon in the system tray, and it ends by itself when you quit the app, so there is no battery to worry about. Closing a laptop&apos;s lid puts it to sleep whatever you choose here.</translation>
    </message>
    <message>
        <source>켜면 선택한 항목의 잠자기를 막습니다</source>
        <translation>Turn on to prevent the selected kinds of sleep</translation>
    </message>
    <message>
        <source>%@까지 막습니다</source>
        <translation>Preventing sleep until %@</translation>
    </message>
    <message>
        <source>끌 때까지 막습니다</source>
        <translation>Preventing sleep until turned off</translation>
    </message>
    <message>
        <source>잠자기 방지 꺼짐</source>
        <translation>Keep Awake is off</translation>
    </message>
    <message>
        <source>잠자기 방지 중</source>
        <translation>Keeping awake</translation>
    </message>
    <message>
        <source>디스크 잠자기는 Linux에 대응하는 기능이 없어 막을 수 없습니다 — 다른 항목도 골라 주세요</source>
        <translation>Linux has nothing that keeps disks from sleeping — tick another item too</translation>
    </message>
    <message>
        <source>목록에 올린 뒤 파일이 바뀌어 그대로 두었습니다</source>
        <translation>The file changed after it was listed, so it was left alone</translation>
    </message>
    <message>
        <source>CP949 (옛 Windows 프로그램용)</source>
        <translation>CP949 (for old Windows programs)</translation>
    </message>
    <message>
        <source>UTF-8 (맥·요즘 표준)</source>
        <translation>UTF-8 (Linux, today&apos;s standard)</translation>
    </message>
    <message>
        <source>그대로 두기</source>
        <translation>Keep as is</translation>
    </message>
    <message>
        <source>LF (맥·리눅스)</source>
        <translation>LF (Mac, Linux)</translation>
    </message>
    <message>
        <source>CRLF (Windows 메모장)</source>
        <translation>CRLF (Windows Notepad)</translation>
    </message>
    <message>
        <source>바이너리</source>
        <translation>Binary</translation>
    </message>
    <message>
        <source>알 수 없음</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <source>혼합</source>
        <translation>Mixed</translation>
    </message>
    <message>
        <source>없음</source>
        <translation>None</translation>
    </message>
    <message>
        <source>파일을 읽을 수 없습니다</source>
        <translation>The file cannot be read</translation>
    </message>
    <message>
        <source>원본을 휴지통으로 옮기지 못했습니다</source>
        <translation>Could not move the original to the Trash</translation>
    </message>
    <message>
        <source>한글 깨짐·줄바꿈 문제 해결</source>
        <translation>Fix garbled Korean and line breaks</translation>
    </message>
    <message>
        <source>텍스트 파일이나 폴더를 끌어다 놓으세요</source>
        <translation>Drag text files or folders here</translation>
    </message>
    <message>
        <source>txt · 자막(smi, srt) · csv 등의 인코딩을 자동 감지합니다</source>
        <translation>Detects the encoding of txt, subtitle (smi, srt), csv and other files</translation>
    </message>
    <message>
        <source>Windows에서 만든 텍스트·자막 파일은 옛 인코딩(CP949)이라 맥에서 깨져 보이고, 맥에서 만든 파일은 Windows 메모장에서 줄바꿈 없이 한 줄로 붙습니다. 인코딩과 줄바꿈을 원하는 형식으로 바꿔 드립니다. 변환 전 원본은 휴지통에 보관되어 되돌릴 수 있습니다.</source>
        <translation>Text and subtitle files made on Windows use an old encoding (CP949) and look garbled on a Mac or on Linux, while files made on a Mac or on Linux run together on one line in Windows Notepad. This tool converts the encoding and line breaks to the form you want. The originals are kept in the Trash, so a conversion can be undone.</translation>
    </message>
    <message>
        <source>인코딩을 검사할 텍스트 파일이나 폴더를 선택하세요</source>
        <translation>Choose text files or folders whose encoding to check</translation>
    </message>
    <message>
        <source>변환할 인코딩</source>
        <translation>Convert To</translation>
    </message>
    <message>
        <source>줄바꿈</source>
        <translation>Line Breaks</translation>
    </message>
    <message>
        <source>텍스트 파일이 없습니다</source>
        <translation>No text files</translation>
    </message>
    <message>
        <source>끌어다 놓은 항목에서 텍스트 파일을 찾지 못했습니다.</source>
        <translation>No text files were found in what you dropped.</translation>
    </message>
    <message>
        <source>%@ · %@</source>
        <translation>%@ · %@</translation>
    </message>
    <message>
        <source>변환 대상</source>
        <translation>To convert</translation>
    </message>
    <message>
        <source>이미 정상</source>
        <translation>Already fine</translation>
    </message>
    <message>
        <source>인코딩 해석 실패</source>
        <translation>Could not decode the text</translation>
    </message>
    <message>
        <source>CP949로 표현할 수 없는 문자가 있습니다 (이모지 등)</source>
        <translation>Contains characters CP949 cannot represent (emoji and others)</translation>
    </message>
    <message>
        <source>.DS_Store 예방</source>
        <translation>Prevent .DS_Store</translation>
    </message>
    <message>
        <source>USB·외장하드에 .DS_Store 만들지 않기</source>
        <translation>No .DS_Store on USB sticks and external drives</translation>
    </message>
    <message>
        <source>다음에 연결하는 드라이브부터 적용됩니다</source>
        <translation>Applies from the next drive you connect</translation>
    </message>
    <message>
        <source>네트워크 드라이브에 .DS_Store 만들지 않기</source>
        <translation>No .DS_Store on network drives</translation>
    </message>
    <message>
        <source>NAS·공유 폴더를 쓰는 Windows 동료가 좋아합니다</source>
        <translation>Windows colleagues on a NAS or shared folder will thank you</translation>
    </message>
    <message>
        <source>파일 확장자 항상 표시</source>
        <translation>Always show file extensions</translation>
    </message>
    <message>
        <source>&quot;보고서&quot;가 아니라 &quot;보고서.hwp&quot;로 보입니다</source>
        <translation>Shows &quot;report.hwp&quot; instead of &quot;report&quot;</translation>
    </message>
    <message>
        <source>숨김 파일 보기</source>
        <translation>Show hidden files</translation>
    </message>
    <message>
        <source>.으로 시작하는 파일과 폴더를 Finder에 표시합니다</source>
        <translation>Shows files and folders whose names start with a period in the Finder</translation>
    </message>
    <message>
        <source>Finder 제목에 전체 경로 표시</source>
        <translation>Show the full path in Finder window titles</translation>
    </message>
    <message>
        <source>지금 보고 있는 폴더의 위치를 한눈에 알 수 있습니다</source>
        <translation>See at a glance where the folder you are viewing lives</translation>
    </message>
    <message>
        <source>스크린샷</source>
        <translation>Screenshots</translation>
    </message>
    <message>
        <source>창 스크린샷 그림자 제거</source>
        <translation>No shadow on window screenshots</translation>
    </message>
    <message>
        <source>문서에 붙일 때 깔끔한 이미지가 됩니다</source>
        <translation>Cleaner images to paste into documents</translation>
    </message>
    <message>
        <source>기본 PNG보다 용량이 훨씬 작습니다</source>
        <translation>Much smaller than the default PNG</translation>
    </message>
    <message>
        <source>스크린샷을 JPG로 저장</source>
        <translation>Save screenshots as JPG</translation>
    </message>
    <message>
        <source>기본은 데스크탑입니다</source>
        <translation>The desktop by default</translation>
    </message>
    <message>
        <source>스크린샷 저장 위치</source>
        <translation>Screenshot location</translation>
    </message>
    <message>
        <source>변경…</source>
        <translation>Change…</translation>
    </message>
    <message>
        <source>이 설정들은 원래 터미널 명령으로만 바꿀 수 있는 macOS 숨은 설정입니다. Finder 관련 설정을 바꾸면 Finder가 잠깐 재시작됩니다 (열려 있던 창은 다시 열립니다). 언제든 다시 끄면 원래대로 돌아갑니다.</source>
        <translation>These are hidden macOS settings that can otherwise be changed only with Terminal commands. Linux has no program that reads them, so Quillfern only keeps the values you set here, and nothing restarts. Turn a switch off again at any time to go back.</translation>
    </message>
    <message>
        <source>스크린샷을 저장할 폴더를 선택하세요</source>
        <translation>Choose a folder for screenshots</translation>
    </message>
    <message>
        <source>선택</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>영상 정보를 읽을 수 없습니다</source>
        <translation>The video information cannot be read</translation>
    </message>
    <message>
        <source>H.264 MP4 — 이미 호환</source>
        <translation>H.264 MP4 — already compatible</translation>
    </message>
    <message>
        <source>영상 파일이나 폴더를 끌어다 놓으세요</source>
        <translation>Drag video files or folders here</translation>
    </message>
    <message>
        <source>원본은 그대로 두고 같은 폴더에 MP4를 만듭니다</source>
        <translation>Makes an MP4 in the same folder and leaves the original as it is</translation>
    </message>
    <message>
        <source>영상 선택…</source>
        <translation>Choose Videos…</translation>
    </message>
    <message>
        <source>아이폰 영상은 HEVC 코덱과 MOV 형식이라 Windows에서 화면이 안 나오거나 아예 재생되지 않는 경우가 많습니다. 어디서나 재생되는 MP4(H.264)로 변환해 드립니다. 영상 길이에 따라 시간이 걸릴 수 있습니다.</source>
        <translation>iPhone videos use the HEVC codec in MOV files, so on Windows they often show no picture or will not play at all. This tool converts them to MP4 (H.264), which plays anywhere. Long videos may take a while.</translation>
    </message>
    <message>
        <source>변환할 영상이나 폴더를 선택하세요</source>
        <translation>Choose videos or folders to convert</translation>
    </message>
    <message>
        <source>영상 파일이 없습니다</source>
        <translation>No video files</translation>
    </message>
    <message>
        <source>끌어다 놓은 항목에서 MOV·MP4·M4V 영상을 찾지 못했습니다.</source>
        <translation>No MOV, MP4 or M4V videos were found in what you dropped.</translation>
    </message>
    <message>
        <source>변환 중…</source>
        <translation>Converting…</translation>
    </message>
    <message>
        <source>이미 호환 %lld개</source>
        <translation>%lld already compatible</translation>
    </message>
    <message numerus="yes">
        <source>%lld개 MP4로 변환</source>
        <translation>
            <numerusform>Convert %lld Video to MP4</numerusform>
            <numerusform>Convert %lld Videos to MP4</numerusform>
        </translation>
    </message>
    <message>
        <source>이 영상은 변환할 수 없습니다</source>
        <translation>This video cannot be converted</translation>
    </message>
    <message>
        <source>변환이 완료되지 않았습니다</source>
        <translation>The conversion did not finish</translation>
    </message>
    <message>
        <source>비디오 트랙 없음</source>
        <translation>No video track</translation>
    </message>
    <message>
        <source>CP949 복원</source>
        <translation>CP949 restored</translation>
    </message>
    <message>
        <source>ZIP — 호환 최고, Windows 권장</source>
        <translation>ZIP — most compatible, best for Windows</translation>
    </message>
    <message>
        <source>7z — 고압축</source>
        <translation>7z — high compression</translation>
    </message>
    <message>
        <source>tar — 묶기만 (압축 없음)</source>
        <translation>tar — bundle only (no compression)</translation>
    </message>
    <message>
        <source>tar.gz — 유닉스 표준</source>
        <translation>tar.gz — the Unix standard</translation>
    </message>
    <message>
        <source>tar.xz — 고압축</source>
        <translation>tar.xz — high compression</translation>
    </message>
    <message>
        <source>보안 우선 (AES-256)</source>
        <translation>Security first (AES-256)</translation>
    </message>
    <message>
        <source>호환 우선 (Windows 기본 지원)</source>
        <translation>Compatibility first (built into Windows)</translation>
    </message>
    <message>
        <source>암호로 보호된 압축 파일 — 암호를 입력하고 풀기를 누르세요</source>
        <translation>Password-protected archive — enter the password and click Extract</translation>
    </message>
    <message numerus="yes">
        <source>Windows(CP949) 인코딩 감지 — 한글 파일명 %lld개를 복원합니다</source>
        <translation>
            <numerusform>Windows (CP949) encoding detected — restoring %lld Korean file name</numerusform>
            <numerusform>Windows (CP949) encoding detected — restoring %lld Korean file names</numerusform>
        </translation>
    </message>
    <message>
        <source>파일명 인코딩 정상 (UTF-8) — 자모 분리만 정리해서 풉니다</source>
        <translation>File name encoding is fine (UTF-8) — only names split into jamo are fixed while extracting</translation>
    </message>
    <message>
        <source>%@ 형식 — 파일명을 정리하며 풉니다</source>
        <translation>%@ format — file names are fixed while extracting</translation>
    </message>
    <message>
        <source> · 암호 필요</source>
        <translation> · password required</translation>
    </message>
    <message>
        <source>암호가 올바르지 않거나 목록을 읽을 수 없습니다.</source>
        <translation>The password is wrong, or the list of contents cannot be read.</translation>
    </message>
    <message>
        <source>풀 항목이 없습니다.</source>
        <translation>There is nothing to extract.</translation>
    </message>
    <message>
        <source>풀 위치를 정하지 못했습니다.</source>
        <translation>Could not decide where to extract to.</translation>
    </message>
    <message>
        <source>압축 파일에서 풀어낸 파일이 없습니다.</source>
        <translation>No files were extracted from the archive.</translation>
    </message>
    <message>
        <source>%@ 외 %lld개</source>
        <translation>%@ and %lld more</translation>
    </message>
    <message>
        <source> (Windows용)</source>
        <translation> (for Windows)</translation>
    </message>
    <message>
        <source>압축할 파일이 없습니다. 파일이나 폴더를 다시 놓아 주세요.</source>
        <translation>There is nothing to compress. Drop the files or folders again.</translation>
    </message>
    <message>
        <source>저장할 위치를 정하지 못했습니다.</source>
        <translation>Could not decide where to save.</translation>
    </message>
    <message>
        <source>압축 파일이나 압축할 파일을 끌어다 놓으세요</source>
        <translation>Drag an archive, or files to compress, here</translation>
    </message>
    <message>
        <source>압축 파일을 놓으면 → 한글 파일명을 복원하며 풀어줍니다</source>
        <translation>Drop an archive → it is extracted with its Korean file names restored</translation>
    </message>
    <message>
        <source>(ZIP · 7z · RAR · tar.gz 등, 암호 ZIP 포함)</source>
        <translation>(ZIP, 7z, RAR, tar.gz and more, password-protected ZIP included)</translation>
    </message>
    <message>
        <source>일반 파일·폴더를 놓으면 → Windows용 ZIP을 만들어줍니다</source>
        <translation>Drop ordinary files or folders → a ZIP for Windows is made</translation>
    </message>
    <message>
        <source>Windows에서 만든 ZIP은 한글 파일명이 옛 방식(CP949)으로 저장되어 있어 맥에서 풀면 깨집니다. 반대로 맥에서 만든 ZIP은 Windows에서 자모가 분리되어 보이죠. 이 도구가 양쪽 모두 해결하고, 암호 ZIP과 7z·RAR·tar.gz 같은 다른 압축 형식도 풀 수 있습니다. (만들기는 ZIP만 지원)</source>
        <translation>ZIP files made on Windows store Korean file names the old way (CP949), so they come out garbled when extracted on a Mac or on Linux. The other way round, ZIP files made on a Mac show names split into jamo on Windows. This tool fixes both, and also extracts password-protected ZIP files and other formats such as 7z, RAR and tar.gz. (It creates ZIP only.)</translation>
    </message>
    <message>
        <source>처리할 수 없습니다</source>
        <translation>Cannot be processed</translation>
    </message>
    <message>
        <source>암호로 보호된 압축 파일</source>
        <translation>Password-protected archive</translation>
    </message>
    <message>
        <source>아래에 암호를 입력하고 &quot;풀기&quot;를 누르면 목록을 읽고 해제합니다.</source>
        <translation>Enter the password below and click &quot;Extract&quot; to read the contents and extract them.</translation>
    </message>
    <message>
        <source>암호</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>맥 쓰레기 파일 건너뛰기</source>
        <translation>Skip Mac junk files</translation>
    </message>
    <message>
        <source>풀기</source>
        <translation>Extract</translation>
    </message>
    <message>
        <source>형식:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>암호 (선택)</source>
        <translation>Password (optional)</translation>
    </message>
    <message>
        <source>파일 목록도 숨기기</source>
        <translation>Hide the file list too</translation>
    </message>
    <message>
        <source>켜면 암호 없이는 안에 어떤 파일이 있는지도 볼 수 없습니다 (헤더 암호화).</source>
        <translation>When on, nobody can even see which files are inside without the password (header encryption).</translation>
    </message>
    <message>
        <source>압축하기</source>
        <translation>Compress</translation>
    </message>
    <message>
        <source>맥 쓰레기 파일 — 건너뜀</source>
        <translation>Mac junk file — skipped</translation>
    </message>
    <message numerus="yes">
        <source>파일 %lld개</source>
        <translation>
            <numerusform>%lld file</numerusform>
            <numerusform>%lld files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> · 쓰레기 %lld개 제외</source>
        <translation>
            <numerusform> · %lld junk file left out</numerusform>
            <numerusform> · %lld junk files left out</numerusform>
        </translation>
    </message>
    <message>
        <source>NFC 파일명 + UTF-8 플래그로 Windows에서 완벽하게 보입니다</source>
        <translation>NFC file names with the UTF-8 flag look perfect on Windows</translation>
    </message>
    <message>
        <source> · 암호 적용</source>
        <translation> · password applied</translation>
    </message>
    <message>
        <source>고압축 형식 — 받는 쪽에 7-Zip·반디집 등이 필요합니다</source>
        <translation>High-compression format — the recipient needs 7-Zip, Bandizip or similar</translation>
    </message>
    <message>
        <source> · 암호 + 목록 숨김</source>
        <translation> · password + hidden file list</translation>
    </message>
    <message>
        <source>유닉스·개발 환경에서 널리 쓰는 형식입니다</source>
        <translation>A format widely used on Unix and by developers</translation>
    </message>
    <message>
        <source>압축 파일 또는 압축할 파일·폴더를 선택하세요</source>
        <translation>Choose an archive, or files and folders to compress</translation>
    </message>
    <message>
        <source>프로그램 경로에 줄바꿈 같은 제어 문자가 있어 데스크톱 파일에 적을 수 없습니다: %@</source>
        <translation>The program&apos;s path holds a line break or another control character, which no desktop file can hold: %@</translation>
    </message>
    <message>
        <source>&apos;%@&apos; 항목을 휴지통으로 옮기지 못했습니다. (%@)</source>
        <translation>Could not move &apos;%@&apos; to the Trash. (%@)</translation>
    </message>
    <message>
        <source>&apos;%@&apos; 항목이 있는 볼륨에 휴지통을 만들 수 없습니다.</source>
        <translation>Cannot create a Trash on the volume holding &apos;%@&apos;.</translation>
    </message>
    <message>
        <source>&apos;%@&apos; 항목을 휴지통에서 되돌리지 못했습니다. (%@)</source>
        <translation>Could not restore &apos;%@&apos; from the Trash. (%@)</translation>
    </message>
    <message>
        <source>업데이트 정보를 읽을 수 없습니다.</source>
        <translation>The update information could not be read.</translation>
    </message>
    <message>
        <source>업데이트 정보가 너무 큽니다.</source>
        <translation>The update information is too large.</translation>
    </message>
    <message>
        <source>업데이트 서버가 제때 답하지 않았습니다.</source>
        <translation>The update server did not answer in time.</translation>
    </message>
    <message>
        <source>실패</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>완료 %lld개</source>
        <translation>%lld done</translation>
    </message>
    <message>
        <source>실패 %lld개</source>
        <translation>%lld failed</translation>
    </message>
</context>
</TS>
