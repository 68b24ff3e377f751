// Whether the page runs as an installed app (a home-screen or desktop app of
// the browser) rather than in a tab: such a window closes when the exercise ends.

export function installedApp(): boolean {
    const standalone = (navigator as Navigator & { standalone?: boolean }).standalone === true;
    return (
        standalone ||
        matchMedia('(display-mode: standalone), (display-mode: minimal-ui), ' +
            '(display-mode: window-controls-overlay)').matches
    );
}
